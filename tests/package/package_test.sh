#!/usr/bin/env bash
# The game as players get it: the Debian package unpacked into a temporary folder (nothing is
# installed on this machine), and the same build installed with `cmake --install` under an odd
# prefix. Both trees hold exactly the expected files, the desktop entry and metainfo pass their
# validators, and the launcher starts the game in its data folder from wherever it is called.
#
# BUILD_DIR: a built tree; SOURCE_DIR: the sources. DEB may name a package made already;
# otherwise the test packs BUILD_DIR with cpack itself.
BUILD_DIR=${BUILD_DIR:?path of the build tree}
SOURCE_DIR=${SOURCE_DIR:?path of the sources}
# lib.sh wants both; they are pointed at each installed tree in turn below.
export GAME=${GAME:-brannoch} ASSETS=${ASSETS:-$SOURCE_DIR/assets}
source "$(dirname "$0")/../window/lib.sh"
run_under_xvfb "$@"

# --- The package and its control fields -------------------------------------------------------
deb=${DEB:-}
if [ -z "$deb" ]; then
    # cpack first brings the whole tree up to date; its build log tells why that failed.
    cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$WORK/cpack" >"$WORK/cpack.log" 2>&1 ||
        fail "cpack: $(cat "$WORK/cpack.log"
            tail -n 20 "$WORK"/cpack/_CPack_Packages/*/DEB/PreinstallOutput.log 2>/dev/null)"
    deb=$(ls "$WORK"/cpack/brannoch_*.deb 2>/dev/null | head -n 1 || true)
fi
[ -f "$deb" ] || fail "no package was made"
[[ "$(basename "$deb")" =~ ^brannoch_[0-9.]+_[a-z0-9]+\.deb$ ]] || fail "package file name: $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || fail "section: $(field Section)"
[[ "$(field Maintainer)" =~ \<[^@\>]+@[^\>]+\> ]] || fail "maintainer contact: $(field Maintainer)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
# The runtime libraries come from dpkg-shlibdeps, none of the -dev packages.
depends=$(field Depends)
for library in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libsdl2-image-2.0-0; do
    grep -Eq "(^|, )$library( |,|$)" <<<"$depends" || fail "$library missing from: $depends"
done
grep -q -- "-dev" <<<"$depends" && fail "a development package among: $depends"
# A description a player reads: a summary and at least a few lines about the game.
[ "$(field Description | wc -l)" -ge 4 ] || fail "description: $(field Description)"

mkdir -p "$WORK/deb-root"
dpkg-deb -x "$deb" "$WORK/deb-root"
# Debian's checkers: no lintian error or warning (every other tag is mended or overridden with a
# reason in packaging/lintian-overrides), and every hardening the shipped program can show. Two it
# cannot, on this Debian: bookworm's start files (crt1.o, crti.o) carry no CET note, so no program
# shows control-flow protection, and the game makes no libc call whose size the compiler knows, so
# fortification leaves no trace. For those two the compile flags are checked.
out=$(lintian -I -E --pedantic --fail-on error,warning "$deb" 2>&1) || fail "lintian: $out"
program=$WORK/deb-root/usr/lib/games/brannoch/brannoch
out=$(hardening-check --nocfprotection --nofortify "$program") || fail "hardening-check: $out"
for flag in -D_FORTIFY_SOURCE= -fcf-protection; do
    grep -q -- "$flag" "$BUILD_DIR/compile_commands.json" || fail "not built with $flag"
done
# Every entry is owned by root, whoever built the package.
dpkg-deb -c "$deb" | awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' ||
    fail "files not owned by root"

# The same build installed by hand under a prefix of its own.
cmake --install "$BUILD_DIR" --prefix "$WORK/elsewhere/opt/brannoch" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$WORK/install.log")"

# --- The file tree ----------------------------------------------------------------------------
# What must be under a prefix: fixed files, the data folder as assets/ without its notes and the
# font's licence text (that goes to the documentation), and the icons the generator has made.
expected_files() {
    printf '%s\n' games/brannoch lib/games/brannoch/brannoch \
        share/applications/brannoch.desktop share/metainfo/brannoch.metainfo.xml \
        share/man/man6/brannoch.6.gz share/doc/brannoch/copyright share/doc/brannoch/changelog.gz \
        share/doc/brannoch/DelaGothicOne-OFL.txt share/lintian/overrides/brannoch
    (cd "$SOURCE_DIR/assets" && find . -type f ! -name README.md ! -name '*-OFL.txt') |
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

check_tree() {
    local prefix=$1
    (cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$WORK/actual.txt"
    diff -u "$WORK/expected.txt" "$WORK/actual.txt" >"$WORK/tree.diff" ||
        fail "files under $prefix differ from the expected list: $(cat "$WORK/tree.diff")"

    [ -x "$prefix/games/brannoch" ] || fail "launcher not executable under $prefix"
    [ -x "$prefix/lib/games/brannoch/brannoch" ] &&
        [ "$(head -c 4 "$prefix/lib/games/brannoch/brannoch" | tail -c 3)" = ELF ] ||
        fail "the program under $prefix is not an executable"
    # Data files are plain readable files, not executables.
    find "$prefix/share" -type f -perm /111 | grep . && fail "executable data files under $prefix"

    local icon size
    for icon in "$prefix"/share/icons/hicolor/*/apps/brannoch.png; do
        [ -e "$icon" ] || continue
        size=$(basename "$(dirname "$(dirname "$icon")")")
        [ "$(identify -format '%wx%h' "$icon")" = "$size" ] || fail "$icon is not $size"
    done

    gzip -t "$prefix/share/man/man6/brannoch.6.gz" || fail "man page is not valid gzip"
    zcat "$prefix/share/man/man6/brannoch.6.gz" | grep -q '^\.TH BRANNOCH 6 ' ||
        fail "man page is not a section 6 page for brannoch"
    head -n 1 "$prefix/share/doc/brannoch/copyright" |
        grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "copyright is not in the machine-readable format"
    grep -q '^License: OFL-1.1$' "$prefix/share/doc/brannoch/copyright" ||
        fail "copyright does not carry the font's licence"

    local out
    out=$(desktop-file-validate "$prefix/share/applications/brannoch.desktop" 2>&1) ||
        fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
    out=$(appstreamcli validate --no-net --pedantic \
        "$prefix/share/metainfo/brannoch.metainfo.xml" 2>&1) || fail "appstreamcli: $out"

    # The pieces name each other: the desktop entry runs the launcher and shows the icon, and
    # the metainfo launches the desktop entry.
    local desktop=$prefix/share/applications/brannoch.desktop
    grep -qx 'Exec=brannoch' "$desktop" || fail "desktop entry does not run the launcher"
    grep -qx 'Icon=brannoch' "$desktop" || fail "desktop entry icon name"
    grep -q 'Categories=Game;' "$desktop" || fail "desktop entry is not in Game"
    grep -q '<launchable type="desktop-id">brannoch.desktop</launchable>' \
        "$prefix/share/metainfo/brannoch.metainfo.xml" || fail "metainfo does not launch the entry"
}
check_tree "$WORK/deb-root/usr"
check_tree "$WORK/elsewhere/opt/brannoch"

# --- The launcher -----------------------------------------------------------------------------
# From a folder that holds none of the game's files the launcher must still find them: text drawn
# with the font shows a second colour; without its files the game shows one black window.
mkdir -p "$WORK/empty" "$WORK/bin"
ln -s "$WORK/deb-root/usr/games/brannoch" "$WORK/bin/brannoch"

# SDL makes and drops a helper window while it starts, which can end xdotool's search with
# BadWindow: look again a few times.
find_window() {
    for _ in 1 2 3 4 5; do
        WINDOW=$(timeout 20 xdotool search --sync --name '^Brannoch$' 2>/dev/null | head -n 1) ||
            true
        [ -n "$WINDOW" ] && return 0
        sleep 0.2
    done
    fail "$1: no window titled Brannoch"
}

# Colours in the window, looked at until there is more than one (a busy machine may be slow to
# draw the first frame) or for about ten seconds.
window_colours() {
    local colours=0
    for _ in $(seq 20); do
        import -window "$WINDOW" "$WORK/shot.png" 2>/dev/null &&
            colours=$(convert "$WORK/shot.png" -format %k info:)
        [ "$colours" -gt 1 ] && break
        sleep 0.5
    done
    echo "$colours"
}

play_once() {
    GAME=$1
    start_game "$WORK/empty"
    find_window "$2"
    local colours
    colours=$(window_colours)
    stop_game
    [ "$STATUS" = 0 ] || fail "$2: exit status $STATUS after SIGTERM ($(cat "$WORK/err.txt"))"
    [ "$(cat "$WORK/out.txt")" = "3" ] || fail "$2: standard output: $(cat "$WORK/out.txt")"
    [ "$colours" -gt 1 ] || fail "$2: the window is blank, the game did not find its files"
}
play_once "$WORK/deb-root/usr/games/brannoch" "unpacked package"
PATH="$WORK/bin:$PATH" play_once brannoch "through a link on PATH"
play_once "$WORK/elsewhere/opt/brannoch/games/brannoch" "cmake --install prefix"

echo "package: ok ($(basename "$deb"))"
