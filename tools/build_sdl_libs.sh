#!/bin/sh
# Builds SDL2, FreeType, SDL2_ttf, SDL2_image and SDL2_mixer as static libraries for another
# platform, from the sources Debian builds its own packages from, and makes PREFIX hold them:
#
#   tools/build_sdl_libs.sh web PREFIX       with emscripten (emcmake)
#   tools/build_sdl_libs.sh windows PREFIX   with mingw-w64 (cmake/toolchain-mingw64.cmake)
#   tools/build_sdl_libs.sh clean            empties the cache (below)
#
# Each library keeps only what the game needs: PNG through SDL2_image's own stb backend, WAV
# only in SDL2_mixer, FreeType without HarfBuzz, zlib, libpng, bzip2 or brotli.
#
# They are built once a machine, into a cache: BRANNOCH_CACHE_DIR, by default
# ${XDG_CACHE_HOME:-~/.cache}/brannoch. An entry's name carries a hash of everything that decides
# what is in it: the target, this recipe, the toolchain file, the compiler's and CMake's versions
# and the versions of Debian's sources. PREFIX becomes a link to the entry. An entry is built
# aside and renamed into place when it is whole; its files' checksums are checked before every
# use, and one that fails is built again.
# Where the cache folder cannot be made or written, the libraries are built in PREFIX itself,
# with the sources in sdl-sources/ beside it.
set -eu

usage() { echo "usage: $0 web|windows PREFIX | clean" >&2; exit 2; }
cache=${BRANNOCH_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/brannoch}
if [ "$*" = clean ]; then
    rm -rf "$cache" && echo "Removed $cache" && exit 0
fi
[ $# -eq 2 ] || usage
target=$1
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m -s "$2")  # the link itself, not where it points
jobs=${JOBS:-2}

# The browser downloads the libraries with the game: they are built for size there.
build_type=Release
case $target in
    web) toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
         configure="emcmake cmake" compiler=emcc build_type=MinSizeRel
         export NODE_PATH=/usr/share/nodejs ;;  # emcc's optimiser needs Debian's acorn
    windows) toolchain=$root/cmake/toolchain-mingw64.cmake
             configure="cmake -DCMAKE_TOOLCHAIN_FILE=$toolchain"
             compiler=x86_64-w64-mingw32-g++-posix ;;
    *) usage ;;
esac

# name of the source package, folder it is extracted to
packages="libsdl2:SDL2 freetype:freetype libsdl2-ttf:SDL2_ttf libsdl2-image:SDL2_image libsdl2-mixer:SDL2_mixer"

# The .dsc file apt-get would fetch for each source package: it names the exact version. apt
# learns of the sources from `tools/install_deps.sh --sources` (make web and make windows call it).
source_versions() {
    for item in $packages; do
        dsc=$(apt-get source --print-uris -qq "${item%%:*}" 2>/dev/null |
            sed -n "s/^'[^']*' \([^ ]*\.dsc\) .*/\1/p")
        [ -n "$dsc" ] || { echo "apt-get knows no source of ${item%%:*}:" \
            "tools/install_deps.sh --sources adds Debian's deb-src entry" >&2; exit 1; }
        echo "$dsc"
    done
}

# fetch_sources FOLDER: downloads (once) and extracts each source package into FOLDER, which the
# browser's and Windows' builds share: one fetches at a time (the lock beside FOLDER).
fetch_sources() {
    mkdir -p "$1"
    exec 8>"$(dirname "$1")/.lock" && flock 8
    for item in $packages; do
        package=${item%%:*} folder=${item#*:}
        [ -d "$1/$folder" ] && continue
        ls "$1/${package}_"*.dsc >/dev/null 2>&1 ||
            (cd "$1" && apt-get source --download-only "$package")
        dsc=$(ls "$1/${package}_"*.dsc | sort | tail -n 1)
        # Extracted aside, so that an interrupted run leaves no half-extracted folder behind.
        rm -rf "$1/$folder.part"
        dpkg-source -x "$dsc" "$1/$folder.part" && mv "$1/$folder.part" "$1/$folder"
    done
    exec 8>&-
}

# build SOURCES TREES INSTALL FOLDER ARCHIVE CMAKE-OPTIONS...: configures, builds and installs
# one library into INSTALL, unless its archive is there already.
build() {
    sources=$1 trees=$2 install=$3 folder=$4 archive=$5; shift 5
    if [ -e "$install/lib/$archive" ]; then
        echo "$folder: already built ($install/lib/$archive)"
        return
    fi
    started=$(date +%s)
    # The folders' names stay out of the archives (__FILE__ in SDL's assertions), so that the
    # game's builds are the same bytes whoever built the libraries, wherever.
    $configure -S "$sources/$folder" -B "$trees/$folder" -DCMAKE_BUILD_TYPE=$build_type \
        -DCMAKE_INSTALL_PREFIX="$install" -DCMAKE_PREFIX_PATH="$install" \
        -DCMAKE_FIND_ROOT_PATH="$install" -DBUILD_SHARED_LIBS=OFF \
        "-DCMAKE_C_FLAGS=-ffile-prefix-map=$sources/=/sdl-sources/ -ffile-prefix-map=$trees/=/sdl-build/" \
        "$@"
    cmake --build "$trees/$folder" -j "$jobs"
    cmake --install "$trees/$folder"
    echo "$folder for $target: built in $(( $(date +%s) - started )) s"
}

# The browser's SDL2 leaves out what the game never starts or picks: joystick, game controller
# (HIDAPI), haptic, sensor, power, locale and URL support, the dummy, disk and offscreen drivers,
# and the C library's iconv (whose tables SDL_mixer's tag reader would pull in) for SDL's own. The
# software renderer stays: a browser without WebGL plays on it.
sdl_options=""
[ "$target" != web ] || sdl_options="-DSDL_JOYSTICK=OFF -DSDL_HIDAPI=OFF -DSDL_HAPTIC=OFF
    -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_DUMMYAUDIO=OFF
    -DSDL_DISKAUDIO=OFF -DSDL_DUMMYVIDEO=OFF -DSDL_OFFSCREEN=OFF -DSDL_SYSTEM_ICONV=OFF"

# FreeType registers only the modules that draw a TrueType font in SDL_ttf's solid mode: the
# TrueType driver, the sfnt tables and the monochrome rasterizer. No auto-hinter: the game's font
# carries a `prep` program, so FreeType never auto-hints it, here or on the desktop. Its build
# tree's include folder comes first, so this list replaces the one in its sources; the other
# modules are never linked.
freetype_modules() {
    mkdir -p "$1/freetype/include/freetype/config"
    printf 'FT_USE_MODULE( %s )\n' \
        "FT_Driver_ClassRec, tt_driver_class" "FT_Module_Class, sfnt_module_class" \
        "FT_Renderer_Class, ft_raster1_renderer_class" \
        >"$1/freetype/include/freetype/config/ftmodule.h"
}

# build_all SOURCES TREES INSTALL: the five libraries, each on those before it.
build_all() {
    fetch_sources "$1"
    # shellcheck disable=SC2086  # one option a word
    build "$@" SDL2 libSDL2.a -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF $sdl_options
    freetype_modules "$2"
    build "$@" freetype libfreetype.a -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
        -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
    build "$@" SDL2_ttf libSDL2_ttf.a -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF \
        -DSDL2TTF_SAMPLES=OFF
    # VENDORED=ON builds nothing more here (stb decodes PNG, every other format is off), but
    # keeps the installed CMake config from asking for a libpng the stb backend never uses.
    build "$@" SDL2_image libSDL2_image.a -DSDL2IMAGE_VENDORED=ON -DSDL2IMAGE_BACKEND_STB=ON \
        -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF \
        -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_LBM=OFF \
        -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF \
        -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF \
        -DSDL2IMAGE_SAMPLES=OFF
    build "$@" SDL2_mixer libSDL2_mixer.a -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF \
        -DSDL2MIXER_WAVE=ON -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
        -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF
}

checksums() { (cd "$1" && find . -type f ! -name .checksums -print0 | sort -z | xargs -0 sha256sum); }

if ! mkdir -p "$cache" 2>/dev/null || ! [ -w "$cache" ]; then
    echo "SDL2 libraries for $target: the cache folder $cache cannot be written; building in $prefix"
    [ ! -L "$prefix" ] || rm "$prefix"
    build_all "$(dirname "$prefix")/sdl-sources" "$(dirname "$prefix")/sdl-build" "$prefix"
    echo "SDL2 libraries for $target in $prefix"
    exit 0
fi

versions=$(source_versions)
key=$({ echo "$target"; cat "$0" "$toolchain"; $compiler --version | head -n 1
        cmake --version | head -n 1; echo "$versions"; } | sha256sum | cut -c 1-16)
entry=$cache/sdl-$target-$key
# One build of a target's libraries at a time, across work trees; the browser's and Windows'
# are built side by side (make test's chains).
exec 9>"$cache/.lock-$target"
flock -n 9 || { echo "SDL2 libraries for $target: waiting for another build of them"; flock 9; }
[ ! -L "$entry" ] || rm "$entry"  # an entry is a folder, never a link
if [ -d "$entry" ] && ! checksums "$entry" | cmp -s - "$entry/.checksums"; then
    echo "SDL2 libraries for $target: $entry is damaged (its files fail their checksums); building them again"
    rm -rf "$entry"
fi
if [ ! -d "$entry" ]; then
    aside=$cache/.building-$target-$key
    rm -rf "$aside" "$aside.trees"
    build_all "$cache/sources" "$aside.trees" "$aside"
    # CMake's and pkg-config's files name the prefix they were installed to.
    grep -rlF "$aside" "$aside" | while read -r file; do sed -i "s|$aside|$entry|g" "$file"; done
    checksums "$aside" >"$aside/.checksums"
    mv -T "$aside" "$entry"
    rm -rf "$aside.trees"
fi
[ -L "$prefix" ] || rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")" && ln -sfn "$entry" "$prefix"
echo "SDL2 libraries for $target: $prefix -> $entry"
