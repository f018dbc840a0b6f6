#!/usr/bin/env bash
# With no usable video driver the game says why on one line and stops with status 1,
# instead of running without a window.
set -euo pipefail
GAME=${GAME:?}
ASSETS=${ASSETS:?}
out=$(cd "$ASSETS" && SDL_VIDEODRIVER=nonexistent SDL_AUDIODRIVER=dummy timeout 10 "$GAME") && status=0 || status=$?
[ "$status" = 1 ] || { echo "FAIL: status $status" >&2; exit 1; }
first=$(sed -n 1p <<<"$out")
last=$(sed -n '$p' <<<"$out")
[[ "$first" == "SDL Init failed: "* ]] || { echo "FAIL: first line: $first" >&2; exit 1; }
[[ "$last" == "Window could not be created: "* ]] || { echo "FAIL: last line: $last" >&2; exit 1; }
[ "$(wc -l <<<"$out")" = 2 ] || { echo "FAIL: output: $out" >&2; exit 1; }
echo "no display: ok"
