#!/usr/bin/env bash
# The real game in a real window: title, size, the one line "3", and a clean close.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

start_game
wait_window
[ "$(xdotool getwindowname "$WINDOW")" = "Brannoch" ] || fail "window title"
geometry=$(xwininfo -id "$WINDOW")
grep -q "Width: 800" <<<"$geometry" || fail "window width: $geometry"
grep -q "Height: 800" <<<"$geometry" || fail "window height: $geometry"
# Centred on the 1024x1024 screen, and the size hints pin the size: not resizable.
grep -q "Absolute upper-left X:  112" <<<"$geometry" || fail "not centred: $geometry"
hints=$(xprop -id "$WINDOW" WM_NORMAL_HINTS)
grep -q "minimum size: 800 by 800" <<<"$hints" || fail "resizable: $hints"
grep -q "maximum size: 800 by 800" <<<"$hints" || fail "resizable: $hints"

close_window
for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not end when its window was closed"
STATUS=0
wait "$GAME_PID" || STATUS=$?
GAME_PID=
[ "$STATUS" = 0 ] || fail "exit status $STATUS after closing the window"
[ "$(cat "$WORK/out.txt")" = "3" ] || fail "standard output: $(cat "$WORK/out.txt")"

# SIGTERM ends the run the same way.
start_game
wait_window
stop_game
[ "$STATUS" = 0 ] || fail "exit status $STATUS after SIGTERM"
[ "$(cat "$WORK/out.txt")" = "3" ] || fail "standard output after SIGTERM: $(cat "$WORK/out.txt")"
echo "startup: ok"
