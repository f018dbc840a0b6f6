#!/usr/bin/env bash
# The Windows build under Wine in Xvfb, in a fresh prefix. The zip holds a 64-bit windowed,
# DPI-aware brannoch.exe and the game's files. The installer, silent, puts the same files, a
# Start-menu shortcut and a Settings > Apps entry in place; the installed game shows one 800x800
# window "Brannoch" with HUD and buttons drawn, answers a real click, ends with status 0 and "3".
# While it runs, neither the installer nor the uninstaller touch it; then the uninstaller
# removes the game and leaves the player's own file in the folder.
#   tests/windows/wine_test.sh ZIP SETUP.exe        (make windows-test builds both first)
ZIP=$(realpath "${1:?usage: $0 ZIP SETUP.exe}") SETUP=$(realpath "${2:?usage: $0 ZIP SETUP.exe}")
SOURCES=$(realpath "$(dirname "$0")/../..")
export GAME=wine ASSETS=unused  # lib.sh wants both; the game starts through a launcher below
source "$SOURCES/tests/window/lib.sh"
run_under_xvfb "$@"

export SDL_VIDEODRIVER=windows WINEPREFIX=$WORK/wine WINEDEBUG=-all
# No offer to install .NET or a browser engine; no menu files for the shortcut in the real home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$WORK"' EXIT

CASE=zip ZIPPED=$WORK/zip
# Flat: the program, every asset but the developers' README, the texts.
diff <(unzip -Z1 "$ZIP" | sort) <( (ls "$SOURCES/assets" | grep -vx README.md
    printf '%s\n' brannoch.exe README.txt LICENSE.txt) | sort) || fail "$CASE: the files differ"
unzip -q "$ZIP" -d "$ZIPPED"
[[ $(file -b "$ZIPPED/brannoch.exe") == "PE32+ executable (GUI) x86-64"* ]] ||
    fail "$CASE: brannoch.exe is not a 64-bit windowed program"
MANIFEST=$(/usr/bin/python3 - "$ZIPPED/brannoch.exe" <<'PY'
import pefile, sys
pe = pefile.PE(sys.argv[1])
manifest = next(e for e in pe.DIRECTORY_ENTRY_RESOURCE.entries if e.id == 24)  # RT_MANIFEST
data = manifest.directory.entries[0].directory.entries[0].data.struct
print(pe.get_data(data.OffsetToData, data.Size).decode())
PY
) || fail "$CASE: brannoch.exe has no manifest"
for want in '2016/WindowsSettings">PerMonitorV2</dpiAwareness>' '2005/WindowsSettings">true</dpiAware>' \
    '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>' 'level="asInvoker"'; do
    grep -qF "$want" <<<"$MANIFEST" || fail "$CASE: the manifest lacks $want"
done

CASE=install WINDIR="C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Brannoch"
DIR=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Brannoch
wineboot --init >"$WORK/wineboot.txt" 2>&1 || fail "wineboot: $(cat "$WORK/wineboot.txt")"
mkdir -p "$DIR" && echo mine >"$DIR/notes.txt"  # the player's own file, kept by the uninstaller
start=$EPOCHREALTIME
wine "$SETUP" /S || fail "$CASE: status $?"
echo "wine: silent install in $(( (${EPOCHREALTIME/./} - ${start/./}) / 1000 )) ms"
diff -r -x uninstall.exe -x notes.txt "$ZIPPED" "$DIR" && [ -f "$DIR/uninstall.exe" ] ||
    fail "$CASE: the installed files are not the zip's"
LINK="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
# The shortcut's target, working folder and icon, as a .lnk file stores them.
[ "$(/usr/bin/python3 - "$LINK/Brannoch.lnk" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
flags, at, fields = struct.unpack_from('<I', d, 20)[0], 76, []
if flags & 1: at += 2 + struct.unpack_from('<H', d, at)[0]  # the target as a shell item list
if flags & 2:  # the target's path
    size, base = struct.unpack_from('<I', d, at)[0], struct.unpack_from('<I', d, at + 16)[0]
    fields.append(d[at + base:d.index(b'\0', at + base)].decode()); at += size
for bit in 4, 8, 16, 32, 64:  # name, relative path, working folder, arguments, icon; UTF-16
    if flags & bit:
        n = struct.unpack_from('<H', d, at)[0]; at += 2 + 2 * n
        fields.append(d[at - 2 * n:at].decode('utf-16-le') if bit in (16, 64) else '')
print(*[f for f in fields if f], struct.unpack_from('<i', d, 56)[0], sep='|')
PY
)" = "$WINDIR\\brannoch.exe|$WINDIR|$WINDIR\\brannoch.exe|0" ] || fail "$CASE: no Brannoch.lnk"
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brannoch'
size=$(du -k --apparent-size -c "$ZIPPED"/* | tail -n1 | cut -f1)
diff <(wine reg query "$KEY" | tr -d '\r' | awk 'NF >= 3 { $1 = $1; print }' | sort) <(sort <<EOF
DisplayIcon REG_SZ $WINDIR\\brannoch.exe,0
DisplayName REG_SZ Brannoch
DisplayVersion REG_SZ $(basename "$ZIP" | cut -d- -f2)
EstimatedSize REG_DWORD $(printf '%#x' "$size")
InstallLocation REG_SZ $WINDIR
NoModify REG_DWORD 0x1
NoRepair REG_DWORD 0x1
Publisher REG_SZ The Brannoch developers
QuietUninstallString REG_SZ "$WINDIR\\uninstall.exe" /S
UninstallString REG_SZ "$WINDIR\\uninstall.exe"
EOF
) || fail "$CASE: the Settings > Apps entry differs"

CASE=installed printf '#!/bin/sh\nexec wine brannoch.exe\n' >"$WORK/launch" && chmod +x "$WORK/launch"
GAME=$WORK/launch begin
[ "$(xdotool search --onlyvisible --name '^Brannoch$' | wc -l)" = 1 ] || fail "not one window"
[ "$(xwininfo -id "$WINDOW" | grep -cE 'Width: 800|Height: 800')" = 2 ] || fail "not 800x800"
refuses() { local status=0 && wine "$@" || status=$?; [ $status = 2 ] || fail "$CASE: $1: $status"; }
touch "$WORK/stamp"
refuses "$SETUP" /S && refuses "$DIR/uninstall.exe" /S "_?=$WINDIR"  # _?=: it runs in place
[ -z "$(find "$DIR" -newer "$WORK/stamp")" ] || fail "$CASE: files changed under the game"

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
[ -z "${SHOT:-}" ] || import -window root "$SHOT"  # a picture of the installed game, on request
WINDOW=$FRAME x11 close
ends 0 3

CASE=uninstall
wine "$DIR/uninstall.exe" /S && wineserver -w  # it runs on from a copy of itself in %TEMP%
[ "$(find "$WINEPREFIX" -iname '*brannoch*' -printf '%P\n')" = "${DIR#$WINEPREFIX/}" ] &&
    [ "$(ls "$DIR")" = notes.txt ] && ! grep -qi brannoch "$WINEPREFIX/user.reg" ||
    fail "$CASE: something of the game is left"
echo "wine: ok"
