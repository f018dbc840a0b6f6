#!/usr/bin/env bash
# The Windows zip as a player gets it, played under Wine in Xvfb: unpacked into a temporary
# folder and started there in a fresh Wine prefix. brannoch.exe must write "3", open one
# 800x800 window named Brannoch with the HUD and the buttons drawn, answer a real click on
# Attack, and end with status 0 when its window is closed the way a window manager does it.
#   tests/windows/wine_test.sh ZIP        (make test builds the zip with make windows first)
ZIP=$(realpath "${1:?usage: $0 path/to/brannoch-VERSION-windows-x64.zip}")
export GAME=wine ASSETS=unused  # lib.sh wants both; the game starts through a launcher below
source "$(dirname "$0")/../window/lib.sh"
run_under_xvfb "$@"

export SDL_VIDEODRIVER=windows WINEPREFIX=$WORK/wine WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no offer to install .NET or a browser engine
# Wine's server and the game go before the prefix is removed (lib.sh's own exit step, with this).
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$WORK"' EXIT
mkdir "$WORK/game"
unzip -q "$ZIP" -d "$WORK/game" || fail "cannot unpack $ZIP"
[[ $(file -b "$WORK/game/brannoch.exe") == "PE32+ executable (GUI) x86-64"* ]] ||
    fail "no 64-bit windowed brannoch.exe at the top of $ZIP"
# The prefix is made before the clock starts; the game then starts in the unpacked folder.
wineboot --init >"$WORK/wineboot.txt" 2>&1 || fail "wineboot: $(cat "$WORK/wineboot.txt")"
printf '#!/bin/sh\nexec wine brannoch.exe\n' >"$WORK/launch"
chmod +x "$WORK/launch"
GAME=$WORK/launch

start_game "$WORK/game"
wait_window
for _ in $(seq 50); do grep -q 3 "$WORK/out.txt" && break; sleep 0.1; done
[ "$(tr -d '\r' <"$WORK/out.txt")" = 3 ] || fail "standard output: $(cat -A "$WORK/out.txt")"
[ "$(xdotool search --onlyvisible --name '^Brannoch$' | wc -l)" = 1 ] ||
    fail "not exactly one window named Brannoch"
geometry=$(xwininfo -id "$WINDOW")
grep -q "Width: 800" <<<"$geometry" && grep -q "Height: 800" <<<"$geometry" ||
    fail "window size: $geometry"

# Wine draws into a child window of the same size (its OpenGL surface): the pixels are read
# there, and the clicks go there. The HUD's health value and the Attack button each show their
# pale yellow text in their box.
FRAME=$WINDOW
WINDOW=$(printf '%d' "$(xwininfo -children -id "$FRAME" | awk '/^ +0x/ { print $1; exit }')")
[ "$WINDOW" != 0 ] || WINDOW=$FRAME
HEALTH=(400 20 100 50)
# grep -c reads every pixel: with -q, pipefail would see convert cut off.
yellow_in() { convert "$WORK/shown.png" -crop "$1" +repage txt:- | grep -c '#FFFF64' >/dev/null; }
for _ in $(seq 40); do  # the first frame may come a while after the window
    screenshot "$WORK/shown.png"
    yellow_in 100x50+400+20 && yellow_in 101x51+185+550 && break
    sleep 0.25
done
yellow_in 100x50+400+20 || fail "no pale yellow in the Health box"
yellow_in 101x51+185+550 || fail "no pale yellow on the Attack button"
# A real click on Attack: the enemies answer and the Health box changes. The game sees the
# button only if it is still down when a frame begins, and a frame can be slow on a busy
# machine: each try holds it longer.
before=$(box_sum "${HEALTH[@]}")
changed=no
for hold in 0.1 0.3 0.6; do
    xdotool mousemove --window "$WINDOW" 235 575 mousedown 1 sleep $hold mouseup 1
    for _ in $(seq 10); do
        [ "$(box_sum "${HEALTH[@]}")" != "$before" ] && changed=yes && break 2
        sleep 0.1
    done
done
[ $changed = yes ] || fail "the Health box did not change after a click on Attack"

WINDOW=$FRAME
close_window
for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not end when its window was closed"
STATUS=0
wait "$GAME_PID" || STATUS=$?
GAME_PID=
[ "$STATUS" = 0 ] || fail "exit status $STATUS after closing the window: $(tail "$WORK/err.txt")"
echo "wine: ok"
