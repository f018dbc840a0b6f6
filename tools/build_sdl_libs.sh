#!/bin/sh
# Builds SDL2, FreeType, SDL2_ttf, SDL2_image and SDL2_mixer as static libraries for another
# platform, from the sources Debian builds its own packages from, into PREFIX:
#
#   tools/build_sdl_libs.sh web PREFIX       with emscripten (emcmake)
#   tools/build_sdl_libs.sh windows PREFIX   with mingw-w64 (cmake/toolchain-mingw64.cmake)
#
# Each library keeps only what the game needs: PNG through SDL2_image's own stb backend, WAV
# only in SDL2_mixer, FreeType without HarfBuzz, zlib, libpng, bzip2 or brotli.
# The sources are fetched once (`apt-get source`, with a deb-src entry added for the configured
# Debian mirror when there is none) into sdl-sources/ beside PREFIX and extracted once; a
# library whose archive is already in PREFIX is not built again.
set -eu

usage() { echo "usage: $0 web|windows PREFIX" >&2; exit 2; }
[ $# -eq 2 ] || usage
target=$1
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m "$2")
work=$(dirname "$prefix")
sources=$work/sdl-sources
jobs=${JOBS:-2}
sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo

# The browser downloads the libraries with the game: they are built for size there.
build_type=Release
case $target in
    web) configure="emcmake cmake" build_type=MinSizeRel
         export NODE_PATH=/usr/share/nodejs ;;  # emcc's optimiser needs Debian's acorn
    windows) configure="cmake -DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchain-mingw64.cmake" ;;
    *) usage ;;
esac

# name of the source package, folder it is extracted to
packages="libsdl2:SDL2 freetype:freetype libsdl2-ttf:SDL2_ttf libsdl2-image:SDL2_image libsdl2-mixer:SDL2_mixer"

have_deb_src() {
    grep -qs '^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/*.list && return 0
    grep -qsi '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources
}

# A deb-src entry for the mirror and suite the system already uses.
add_deb_src() {
    main=/etc/apt/sources.list.d/debian.sources
    uri=$(sed -n 's/^URIs: *//p' "$main" 2>/dev/null | head -n 1)
    suite=$(sed -n "s/^Suites: *//p" "$main" 2>/dev/null | head -n 1)
    [ -n "$uri" ] || uri=http://deb.debian.org/debian
    [ -n "$suite" ] || suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "Adding a deb-src entry for $uri $suite"
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
        "$uri" "$suite" /usr/share/keyrings/debian-archive-keyring.gpg |
        $sudo tee /etc/apt/sources.list.d/brannoch-deb-src.sources >/dev/null
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -q
}

fetch_sources() {
    mkdir -p "$sources"
    for entry in $packages; do
        package=${entry%%:*} folder=${entry#*:}
        [ -d "$sources/$folder" ] && continue
        if ! ls "$sources/${package}_"*.dsc >/dev/null 2>&1; then
            have_deb_src || add_deb_src
            (cd "$sources" && apt-get source --download-only "$package")
        fi
        dsc=$(ls "$sources/${package}_"*.dsc | head -n 1)
        dpkg-source -x "$dsc" "$sources/$folder"
    done
}

# build FOLDER ARCHIVE CMAKE-OPTIONS...: configures, builds and installs one library.
build() {
    folder=$1 archive=$2; shift 2
    if [ -e "$prefix/lib/$archive" ]; then
        echo "$folder: already built ($prefix/lib/$archive)"
        return
    fi
    tree=$work/sdl-build/$folder
    $configure -S "$sources/$folder" -B "$tree" -DCMAKE_BUILD_TYPE=$build_type \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@"
    cmake --build "$tree" -j "$jobs"
    cmake --install "$tree"
}

fetch_sources
build SDL2 libSDL2.a -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
build freetype libfreetype.a -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
build SDL2_ttf libSDL2_ttf.a -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
# VENDORED=ON builds nothing more here (stb decodes PNG, every other format is off), but keeps
# the installed CMake config from asking for a libpng the stb backend never uses.
build SDL2_image libSDL2_image.a -DSDL2IMAGE_VENDORED=ON -DSDL2IMAGE_BACKEND_STB=ON \
    -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF \
    -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_LBM=OFF \
    -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF \
    -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF \
    -DSDL2IMAGE_SAMPLES=OFF
build SDL2_mixer libSDL2_mixer.a -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF \
    -DSDL2MIXER_WAVE=ON -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
    -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF
echo "SDL2 libraries for $target in $prefix"
