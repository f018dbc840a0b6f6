#!/usr/bin/env bash
# The game as players get it: the .deb unpacked into a temporary folder, and the same build under
# an odd prefix with `cmake --install`. BUILD_DIR: a built tree, packed with cpack unless DEB
# names a package; SOURCE_DIR: the sources.
BUILD_DIR=${BUILD_DIR:?path of the build tree}
SOURCE_DIR=${SOURCE_DIR:?path of the sources}
export GAME=${GAME:-brannoch} ASSETS=${ASSETS:-$SOURCE_DIR/assets}  # lib.sh wants both
source "$(dirname "$0")/../window/lib.sh"
run_under_xvfb

deb=${DEB:-}
if [ -z "$deb" ]; then  # cpack brings the whole tree up to date first
    cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$WORK/cpack" >"$WORK/cpack.log" 2>&1 ||
        fail "cpack: $(tail -n 40 "$WORK/cpack.log" "$WORK"/cpack/_CPack_Packages/*/DEB/*.log)"
    deb=$(ls "$WORK"/cpack/brannoch_*.deb 2>/dev/null | head -n 1 || true)
fi
[ -f "$deb" ] || fail "no package was made"
[[ "$(basename "$deb")" =~ ^brannoch_[0-9.]+_[a-z0-9]+\.deb$ ]] || fail "package file name: $deb"

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section: $(dpkg-deb -f "$deb" Section)"

mkdir -p "$WORK/deb-root"
dpkg-deb -x "$deb" "$WORK/deb-root"
# No lintian error or warning (packaging/lintian-overrides gives each override's reason), and every
# hardening the program can show. Not control flow (bookworm's crt1.o and crti.o have no CET note)
# nor fortification (no libc call with a size the compiler knows): for those, the compile flags.
out=$(lintian -I -E --pedantic --fail-on error,warning "$deb" 2>&1) || fail "lintian: $out"
program=$WORK/deb-root/usr/lib/games/brannoch/brannoch
out=$(hardening-check --nocfprotection --nofortify "$program") || fail "hardening-check: $out"
for flag in -D_FORTIFY_SOURCE= -fcf-protection; do
    grep -q -- "$flag" "$BUILD_DIR/compile_commands.json" || fail "not built with $flag"
done

cmake --install "$BUILD_DIR" --prefix "$WORK/elsewhere/opt/brannoch" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$WORK/install.log")"

# Under a prefix: fixed files, the data folder as assets/ without its notes, and the icons.
expected_files() {
    printf '%s\n' games/brannoch lib/games/brannoch/brannoch \
        share/applications/brannoch.desktop share/metainfo/brannoch.metainfo.xml \
        share/man/man6/brannoch.6.gz share/doc/brannoch/copyright share/doc/brannoch/changelog.gz \
        share/lintian/overrides/brannoch
    (cd "$SOURCE_DIR/assets" && find . -type f ! -name README.md) |
        sed 's|^\./|share/games/brannoch/|'
    if [ -d "$SOURCE_DIR/data/icons/hicolor" ]; then
        (cd "$SOURCE_DIR/data/icons/hicolor" && find . -path './*/apps/brannoch.png') |
            sed 's|^\./|share/icons/hicolor/|'
    fi
}
expected_files | sort >"$WORK/expected.txt"
for file in share/games/brannoch/DelaGothicOne-Regular.ttf share/games/brannoch/map.miap; do
    grep -qx "$file" "$WORK/expected.txt" || fail "the sources lack $file"
done

# Exactly those files; the launcher and program run; the desktop entry and metainfo pass their
# validators and name each other (lintian checks the man page, copyright, icons, owners, modes).
check_tree() {
    local prefix=$1 out
    (cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$WORK/actual.txt"
    diff -u "$WORK/expected.txt" "$WORK/actual.txt" >"$WORK/tree.diff" ||
        fail "files under $prefix differ from the expected list: $(cat "$WORK/tree.diff")"
    [ -x "$prefix/games/brannoch" ] && [ -x "$prefix/lib/games/brannoch/brannoch" ] ||
        fail "launcher or program not executable under $prefix"
    out=$(desktop-file-validate "$prefix/share/applications/brannoch.desktop" 2>&1) && [ -z "$out" ] ||
        fail "desktop-file-validate: $out"
    out=$(appstreamcli validate --no-net --pedantic \
        "$prefix/share/metainfo/brannoch.metainfo.xml" 2>&1) || fail "appstreamcli: $out"
    grep -qx 'Exec=brannoch' "$prefix/share/applications/brannoch.desktop" &&
        grep -qx 'Icon=brannoch' "$prefix/share/applications/brannoch.desktop" &&
        grep -q '<launchable type="desktop-id">brannoch.desktop</launchable>' \
            "$prefix/share/metainfo/brannoch.metainfo.xml" || fail "desktop entry and metainfo"
}
check_tree "$WORK/deb-root/usr"
check_tree "$WORK/elsewhere/opt/brannoch"

# Started from a folder without the game's files, the launcher finds them: the HUD is drawn with
# the font, and an Attack is answered.
DIR=$WORK/empty
mkdir -p "$DIR" "$WORK/bin"
ln -s "$WORK/deb-root/usr/games/brannoch" "$WORK/bin/brannoch"
for CASE in "$WORK/deb-root/usr/games/brannoch" brannoch "$WORK/elsewhere/opt/brannoch/games/brannoch"; do
    GAME=$CASE PATH="$WORK/bin:$PATH" begin
    ready; click_until $ATTACK 3 $HEALTH; term; ends 0 3
done
echo "package: ok ($(basename "$deb"))"
