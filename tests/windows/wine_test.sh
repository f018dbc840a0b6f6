#!/usr/bin/env bash
# The Windows zip unpacked and played under Wine in Xvfb, in a fresh prefix: one 800x800 window
# "Brannoch" with HUD and buttons drawn, a real click answered, status 0 and "3" on closing.
#   tests/windows/wine_test.sh ZIP        (make test builds the zip with make windows first)
ZIP=$(realpath "${1:?usage: $0 path/to/brannoch-VERSION-windows-x64.zip}")
export GAME=wine ASSETS=unused  # lib.sh wants both; the game starts through a launcher below
source "$(dirname "$0")/../window/lib.sh"
run_under_xvfb "$@"

export SDL_VIDEODRIVER=windows WINEPREFIX=$WORK/wine WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no offer to install .NET or a browser engine
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$WORK"' EXIT
CASE=wine DIR=$WORK/game
unzip -q "$ZIP" -d "$DIR" || fail "cannot unpack $ZIP"
[[ $(file -b "$DIR/brannoch.exe") == "PE32+ executable (GUI) x86-64"* ]] ||
    fail "no 64-bit windowed brannoch.exe at the top of $ZIP"
# A fresh prefix; the game starts in the unpacked folder, as a double-click does.
wineboot --init >"$WORK/wineboot.txt" 2>&1 || fail "wineboot: $(cat "$WORK/wineboot.txt")"
printf '#!/bin/sh\nexec wine brannoch.exe\n' >"$WORK/launch" && chmod +x "$WORK/launch"
GAME=$WORK/launch begin
[ "$(xdotool search --onlyvisible --name '^Brannoch$' | wc -l)" = 1 ] || fail "not one window"
[ "$(xwininfo -id "$WINDOW" | grep -cE 'Width: 800|Height: 800')" = 2 ] || fail "not 800x800"

# Wine draws into a child window of the same size: the pixels are read and the clicks sent there.
# The HUD's health value and the Attack button show their pale yellow text in their boxes.
FRAME=$WINDOW
WINDOW=$(printf '%d' "$(xwininfo -children -id "$FRAME" | awk '/^ +0x/ { print $1; exit }')")
[ "$WINDOW" != 0 ] || WINDOW=$FRAME
yellow_in() { convert "$WORK/shown.png" -crop "$1" +repage txt:- | grep -c '#FFFF64' >/dev/null; }
for _ in $(seq 40); do  # the first frame may come a while after the window
    import -window "$WINDOW" "$WORK/shown.png"
    yellow_in 100x50+400+20 && yellow_in 101x51+185+550 && break
    sleep 0.25
done
yellow_in 100x50+400+20 && yellow_in 101x51+185+550 || fail "no pale yellow HUD and Attack label"
click_until $ATTACK 5 $HEALTH
WINDOW=$FRAME x11 close
ends 0 3
echo "wine: ok"
