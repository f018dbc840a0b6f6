#!/usr/bin/env bash
# The Windows build from its zip, under Wine in Xvfb with the dummy audio driver:
#  1. start-up, RUNS times: from starting `wine brannoch.exe` (the prefix made and started once
#     beforehand) to its window on the X server, and to "3" on standard output (everything
#     loaded; the first frame follows);
#  2. frames per second over SECONDS of play, as Wine counts the frames it hands to OpenGL
#     (the "fps" debug channel of its wglSwapBuffers, every 1.5 s; the first count left out).
#     Direct3D, SDL's first choice on Windows, runs on OpenGL under Wine.
#
#   bench/wine_game.sh [ZIP] [RUNS] [SECONDS]   (defaults: make windows' zip, 7, 15)
# SDL_RENDER_DRIVER=opengl (or direct3d11) in the environment compares another SDL renderer.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
zip=$(realpath "${1:-$(ls "$root"/build-windows/brannoch-*-windows-x64.zip | head -n 1)}")
runs=${2:-7}
seconds=${3:-15}
if [ -z "${BRANNOCH_IN_XVFB:-}" ]; then
    BRANNOCH_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x1024x24" \
        bash "$0" "$zip" "$runs" "$seconds"
fi

work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work/game"
wineboot --init >/dev/null 2>&1
cd "$work/game"
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

echo "== start-up: $runs runs ($(basename "$zip"), load average $(cut -d' ' -f1 /proc/loadavg))"
for run in $(seq "$runs"); do
    # The last run's window and line are gone before the clock starts.
    while xdotool search --onlyvisible --name '^Brannoch$' >/dev/null 2>&1; do sleep 0.05; done
    : >"$work/out.txt"
    start=$(now_ms) window=""
    wine brannoch.exe >>"$work/out.txt" 2>/dev/null &
    pid=$!
    until grep -q 3 "$work/out.txt"; do
        kill -0 "$pid" 2>/dev/null || { echo "the game ended before it wrote 3" >&2; exit 1; }
        [ -n "$window" ] || ! xdotool search --onlyvisible --name '^Brannoch$' >/dev/null 2>&1 ||
            window=$(now_ms)
        sleep 0.01
    done
    ready=$(now_ms)
    echo "$(( ${window:-$ready} - start )) $(( ready - start ))" >>"$work/times.txt"
    kill -TERM "$pid"
    wait "$pid" || true
done
for column in 1 2; do
    sort -n -k$column "$work/times.txt" | awk -v c=$column -v n="$runs" \
        '{ all = all " " $c } NR == int((n + 1) / 2) { median = $c }
         END { printf "%s: median %d ms (all:%s)\n", (c == 1 ? "window" : "\"3\""), median, all }'
done

echo "== frames per second over $seconds s of play"
WINEDEBUG=-all,+fps wine brannoch.exe >/dev/null 2>"$work/fps.txt" &
pid=$!
sleep "$seconds"
kill -TERM "$pid"
wait "$pid" || true
sed -n 's/.*wglSwapBuffers @ approx \([0-9.]*\)fps.*/\1/p' "$work/fps.txt" | tail -n +2 | sort -n |
    awk '{ v[NR] = $1; all = all " " $1 }
         END { if (NR) printf "median %s fps (%d counts:%s)\n", v[int((NR + 1) / 2)], NR, all
               else print "no counts from Wine" }'
