#!/usr/bin/env bash
# Instructions per frame of the three benchmark frames, counted by callgrind: unlike times, the
# counts do not depend on what else the machine is doing. Only the frame functions are counted
# (--toggle-collect), not the set-up.
#
#   bench/instructions.sh [FRAMES]      (default 200)
# BENCH_DIR names the build tree (default build-bench, as `make bench` leaves it).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_DIR:-$root/build-bench}
[[ $build = /* ]] || build=$root/$build
runner=$build/bench/brannoch_frame_count
frames=${1:-200}
[[ -x $runner ]] || { echo "missing $runner: run make bench first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for frame in bare floor full; do
    valgrind --tool=callgrind --callgrind-out-file="$work/$frame.out" \
        --toggle-collect="bench::${frame}Frame*" "$runner" "$frame" "$frames" 1 \
        >/dev/null 2>"$work/$frame.log" &
done
wait
for frame in bare floor full; do
    total=$(sed -n 's/^totals: *//p' "$work/$frame.out")
    echo "$frame $((total / frames))"
done | awk '{ per[$1] = $2; printf "%-6s %12d instructions per frame\n", $1, $2 }
    END { printf "full/floor = %.5f   full/bare = %.3f   full - floor = %d per frame\n",
          per["full"] / per["floor"], per["full"] / per["bare"], per["full"] - per["floor"] }'
