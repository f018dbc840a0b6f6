#!/usr/bin/env bash
# The Windows build under Wine in Xvfb, in a fresh prefix: what the zip holds, the manifest; a
# silent install that cannot write a file, then two (the second over the first) with their files,
# shortcut and Settings > Apps entry; the installed game played, untouched by the installer and
# the uninstaller while it runs, drawing what a desktop build draws; a silent uninstall that keeps
# only the player's own file.  tests/windows/wine_test.sh ZIP SETUP.exe [DESKTOP's brannoch]
ZIP=$(realpath "${1:?usage: $0 ZIP SETUP.exe}") SETUP=$(realpath "${2:?usage: $0 ZIP SETUP.exe}")
DESKTOP=${3:+$(realpath "$3")}
SOURCES=$(realpath "$(dirname "$0")/../..")
export GAME=wine ASSETS=unused  # lib.sh wants both; the game starts through a launcher below
source "$SOURCES/tests/window/lib.sh"
run_under_xvfb

export SDL_VIDEODRIVER=windows WINEPREFIX=$WORK/wine WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"  # no .NET, no menu files in ~
AT_EXIT='wineserver -k 2>/dev/null || :; wineserver -w 2>/dev/null || :'

CASE=zip ZIPPED=$WORK/zip  # flat: the program, every asset but the developers' README, the texts
diff <(unzip -Z1 "$ZIP" | sort) <( (ls "$SOURCES/assets" | grep -vx README.md
    printf '%s\n' brannoch.exe README.txt LICENSE.txt) | sort) || fail "$CASE: the files differ"
unzip -q "$ZIP" -d "$ZIPPED"
PE=$(/usr/bin/python3 - "$ZIPPED/brannoch.exe" <<'PY'
import pefile, sys; pe = pefile.PE(sys.argv[1])  # x86-64, windowed; resource type 24: manifest
d = [e for e in pe.DIRECTORY_ENTRY_RESOURCE.entries if e.id == 24][0].directory.entries[0]
d = d.directory.entries[0].data.struct; data = pe.get_data(d.OffsetToData, d.Size).decode()
print(hex(pe.FILE_HEADER.Machine), pe.OPTIONAL_HEADER.Subsystem, data)
PY
) || fail "$CASE: brannoch.exe has no manifest"
for want in "0x8664 2 " '2016/WindowsSettings">PerMonitorV2</dpiAwareness>' 'level="asInvoker"' \
    '2005/WindowsSettings">true</dpiAware>' 'Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>'
do grep -qF "$want" <<<"$PE" || fail "$CASE: brannoch.exe lacks $want"; done

CASE=install WINDIR="C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Brannoch"
DIR=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Brannoch
LINK=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brannoch'
wineboot --init >"$WORK/wineboot.txt" 2>&1 || fail "wineboot: $(cat "$WORK/wineboot.txt")"
refuses() { local s=0 && wine "$@" || s=$?; [ $s = 2 ] || fail "$CASE: $1 gave status $s"; }
# A file it cannot write stops the installer: it takes its files back and registers nothing.
# The player's own file stays, through that and the uninstall.
mkdir -p "$DIR/map.miap" && echo mine >"$DIR/notes.txt" && refuses "$SETUP" /S
[ "$(ls "$DIR" | xargs)" = "map.miap notes.txt" ] && [ ! -e "$LINK/Brannoch.lnk" ] &&
    ! wine reg query "$KEY" >/dev/null 2>&1 && rmdir "$DIR/map.miap" || fail "$CASE: half done"
start=$EPOCHREALTIME && wine "$SETUP" /S || fail "$CASE: status $?"
echo "wine: silent install in $(( (${EPOCHREALTIME/./} - ${start/./}) / 1000 )) ms"
wine "$SETUP" /S || fail "$CASE: over the first, status $?"
diff -r -x uninstall.exe -x notes.txt "$ZIPPED" "$DIR" && [ -f "$DIR/uninstall.exe" ] ||
    fail "$CASE: the installed files are not the zip's"
# The shortcut's target, working folder, icon and icon number, as the .lnk file stores them.
[ "$(/usr/bin/python3 - "$LINK/Brannoch.lnk" <<'PY'
import struct, sys; d = open(sys.argv[1], 'rb').read()
u = lambda f, at: struct.unpack_from(f, d, at)[0]
flags = u('<I', 20); at = 76 + (2 + u('<H', 76) if flags & 1 else 0)  # past the item list
target = d[at + u('<I', at + 16):].split(b'\0')[0].decode(); at += u('<I', at)  # past LinkInfo
text = {}  # counted UTF-16 strings; Wine counts the closing NUL too
for bit in (bit for bit in (4, 8, 16, 32, 64) if flags & bit):
    n = u('<H', at); at += 2 + 2 * n; text[bit] = d[at - 2 * n:at].decode('utf-16-le').strip('\0')
print(target, text.get(16), text.get(64), u('<i', 56), sep='|')
PY
)" = "$WINDIR\\brannoch.exe|$WINDIR|$WINDIR\\brannoch.exe|0" ] || fail "$CASE: no Brannoch.lnk"
size=$(du -k --apparent-size "$ZIPPED"/* | awk '{ kib += $1 } END { printf "%#x", kib }')
diff <(wine reg query "$KEY" | tr -d '\r' | awk 'NF >= 3 { $1 = $1; print }' | sort) \
    <(printf '%s\n' "DisplayIcon REG_SZ $WINDIR\\brannoch.exe,0" "DisplayName REG_SZ Brannoch" \
    "DisplayVersion REG_SZ $(basename "$ZIP" | cut -d- -f2)" "EstimatedSize REG_DWORD $size" \
    "InstallLocation REG_SZ $WINDIR" "NoModify REG_DWORD 0x1" "NoRepair REG_DWORD 0x1" \
    "Publisher REG_SZ The Brannoch developers" \
    "QuietUninstallString REG_SZ \"$WINDIR\\uninstall.exe\" /S" \
    "UninstallString REG_SZ \"$WINDIR\\uninstall.exe\"") || fail "$CASE: the entry differs"

printf '#!/bin/sh\nexec wine brannoch.exe\n' >"$WORK/launch" && chmod +x "$WORK/launch"
CASE=installed && GAME=$WORK/launch begin
[ "$(xdotool search --onlyvisible --name '^Brannoch$' | wc -l)" = 1 ] || fail "not one window"
[ "$(xwininfo -id "$WINDOW" | grep -cE 'Width: 800|Height: 800')" = 2 ] || fail "not 800x800"
# Both refuse; _?= runs the uninstaller in place, so that its status is its own.
touch "$WORK/stamp" && refuses "$SETUP" /S && refuses "$DIR/uninstall.exe" /S "_?=$WINDIR"
[ -z "$(find "$DIR" -newer "$WORK/stamp")" ] || fail "$CASE: files changed under the game"
# Wine draws into a child window of the same size: the pixels are read and the clicks sent there.
# Once drawn, the HUD's health value and the Attack button show pale yellow text in their boxes.
FRAME=$WINDOW WINDOW=$(xwininfo -children -id "$WINDOW" | awk '/^ +0x/ { print $1; exit }')
WINDOW=$(printf '%d' "${WINDOW:-$FRAME}") && ready && import -window "$WINDOW" "$WORK/shown.png"
hud() { convert "$WORK/$1.png" -crop 451x681+50+20 rgb:- | md5sum; }  # HUD, player, buttons
yellow_in() { convert "$WORK/shown.png" -crop "$1" +repage txt:- | grep -c '#FFFF64' >/dev/null; }
yellow_in 100x50+400+20 && yellow_in 101x51+185+550 || fail "no pale yellow HUD and Attack label"
click_until $ATTACK 5 $HEALTH
[ -z "${SHOT:-}" ] || import -window root "$SHOT"  # a picture of the installed game, on request
WINDOW=$FRAME x11 close
ends 0 3
if [ -n "$DESKTOP" ]; then  # Debian's SDL2_ttf shapes with HarfBuzz, ours has none: same pixels
    CASE=desktop DIR=$ZIPPED SDL_VIDEODRIVER=x11 GAME=$DESKTOP begin && ready
    import -window "$WINDOW" "$WORK/desktop.png" && x11 close && ends 0 3
    [ "$(hud desktop)" = "$(hud shown)" ] || fail "desktop: the HUD or the buttons differ from Wine's"
else echo "wine: no desktop build given: the HUD is not compared with the desktop's"; fi

CASE=uninstall && wine "$DIR/uninstall.exe" /S && wineserver -w  # it goes on from a copy in %TEMP%
[ "$(find "$WINEPREFIX" -iname '*brannoch*' -printf '%P\n')" = "${DIR#$WINEPREFIX/}" ] &&
    [ "$(ls "$DIR")" = notes.txt ] && ! grep -qi brannoch "$WINEPREFIX/user.reg" ||
    fail "$CASE: something of the game is left"
echo "wine: ok"
