#!/usr/bin/env bash
# The real game under Xvfb with the dummy audio driver:
#  1. start-up: RUNS times, the time from exec to the first presented frame, taken by the
#     start-up probe (bench/startup_probe.c, preloaded), with the median and the probe's list of
#     where the median run's time went; the probe closes the game after that first frame;
#  2. files: every file the game opens during one start-up (strace), to show nothing is read twice;
#  3. memory: the peak resident set (VmHWM) of the game after SECONDS of play at full speed.
#
#   bench/real_game.sh [RUNS] [SECONDS]      (defaults 11 and 10)
# BENCH_DIR names the build tree (default build-bench, as `make bench` leaves it).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_DIR:-$root/build-bench}
[[ $build = /* ]] || build=$root/$build
game=$build/brannoch
probe=$build/bench/libbrannoch_startup_probe.so
runs=${1:-11}
seconds=${2:-10}
for file in "$game" "$probe"; do
    [[ -e $file ]] || { echo "missing $file: run make bench first" >&2; exit 1; }
done

work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$work/display")
export SDL_AUDIODRIVER=dummy
cd "$root/assets"

# exec from a launcher that reads the clock just before: the probe measures from there.
cat >"$work/launch.py" <<'PY'
import os, resource, sys, time
game, probe, log = sys.argv[1:4]
# CPU time carries over exec: the probe subtracts the launcher's own.
usage = resource.getrusage(resource.RUSAGE_SELF)
os.environ.update(LD_PRELOAD=probe, PROBE_LOG=log, PROBE_QUIT="1",
                  PROBE_CPU0_MS=str((usage.ru_utime + usage.ru_stime) * 1e3),
                  PROBE_T0_NS=str(time.clock_gettime_ns(time.CLOCK_MONOTONIC)))
os.execv(game, [game])
PY
launch() { timeout 30 /usr/bin/python3 "$work/launch.py" "$game" "$probe" "$1" >/dev/null; }

echo "== start-up: exec to first present, $runs runs (DISPLAY=$DISPLAY, dummy audio)"
for run in $(seq "$runs"); do
    launch "$work/run$run.log"
    sed -n 's/^first_present_ms=//p' "$work/run$run.log" >"$work/run$run.ms"
    sed -n 's/^first_present_cpu_ms=//p' "$work/run$run.log" >"$work/run$run.cpu"
done
for run in $(seq "$runs"); do echo "$(cat "$work/run$run.ms") $run"; done | sort -n >"$work/sorted"
for run in $(seq "$runs"); do cat "$work/run$run.cpu"; done | sort -n >"$work/cpu"
echo -n "wall: "
awk '{printf "%s ms  ", $1} END {print ""}' "$work/sorted"
echo -n "CPU (all threads): "
awk '{printf "%s ms  ", $1} END {print ""}' "$work/cpu"
median_run=$(awk -v n="$runs" 'NR == int((n + 1) / 2) {print $2}' "$work/sorted")
echo "median CPU time to the first present: $(awk -v n="$runs" 'NR == int((n + 1) / 2)' "$work/cpu") ms"
echo "median wall time to the first present: $(cat "$work/run$median_run.ms") ms (run $median_run);"
echo "where the median run's time went:"
cat "$work/run$median_run.log"

if command -v strace >/dev/null; then
    echo
    echo "== files opened during one start-up (strace), with the number of opens"
    strace -f -e trace=openat -o "$work/strace" \
        /usr/bin/python3 "$work/launch.py" "$game" "$probe" "$work/strace.log" >/dev/null
    # Only the game's own files: those in the asset folder, opened by bare name or full path.
    grep -v ENOENT "$work/strace" | sed -n 's/.*openat([^"]*"\([^"]*\)".*/\1/p' |
        grep -E "^[^/]+$|^$root/assets/" | grep -v "$(basename "$probe")" | sort | uniq -c
fi

echo
echo "== memory: peak resident set after $seconds s of play"
"$game" >/dev/null &
pid=$!
sleep "$seconds"
grep -E '^(VmHWM|VmRSS)' "/proc/$pid/status"
kill -TERM "$pid"
wait "$pid"
