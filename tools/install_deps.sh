#!/bin/sh
# Installs the Debian packages a make target needs that dpkg does not know as installed:
#
#   tools/install_deps.sh [--sources] PACKAGE... [--optional PACKAGE...]
#
# --sources: apt must also know the sources Debian builds the SDL2 libraries from, which
# tools/build_sdl_libs.sh builds for the browser and for Windows; where the system has no deb-src
# entry, one is added for the mirror and suite it already uses. Packages after --optional are
# installed where they can be; those that cannot are named, and the tests that need them skip.
#
# This is the only place the build changes the system, always in this order: the deb-src entry,
# one apt-get update, the installs. `make test` calls it once for all its chains before they
# start, so that none of them touches apt or dpkg. When nothing is missing it changes nothing.
set -eu

sources=no required="" optional="" into=required
for arg; do
    case $arg in
        --sources) sources=yes ;;
        --optional) into=optional ;;
        *) if [ $into = required ]; then required="$required $arg"; else optional="$optional $arg"; fi ;;
    esac
done

missing() {
    for p; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || printf ' %s' "$p"
    done
}
required=$(missing $required) optional=$(missing $optional)
# apt knows the sources once it lists one of them: libsdl2's stands for all.
need_sources=no
if [ $sources = yes ] && ! apt-get source --print-uris -qq libsdl2 >/dev/null 2>&1; then
    need_sources=yes
fi
[ -n "$required$optional" ] || [ $need_sources = yes ] || exit 0

sudo=""
if [ "$(id -u)" != 0 ]; then
    if ! command -v sudo >/dev/null; then
        wanted=$required$optional
        [ $need_sources = no ] || wanted="$wanted (and a deb-src entry for the SDL2 libraries' sources)"
        echo "The missing Debian packages cannot be installed without root or sudo:$wanted" >&2
        [ -z "$required" ] && [ $need_sources = no ] && exit 0
        exit 1
    fi
    sudo=sudo
fi
apt_get() { $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"; }
seconds() { echo $(( $(date +%s) - $1 )); }

# Where apt keeps its sources lists (/etc/apt/sources.list and sources.list.d/ unless told).
eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d)"
if [ $need_sources = yes ] && ! grep -qs '^deb-src' "$list" "$parts"*.list &&
    ! grep -qsi '^Types:.*deb-src' "$parts"*.sources; then
    main=${parts}debian.sources
    uri=$(sed -n 's/^URIs: *//p' "$main" 2>/dev/null | head -n 1)
    suite=$(sed -n 's/^Suites: *//p' "$main" 2>/dev/null | head -n 1)
    [ -n "$uri" ] || uri=http://deb.debian.org/debian
    [ -n "$suite" ] || suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "Adding a deb-src entry for $uri $suite"
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
        "$uri" "$suite" /usr/share/keyrings/debian-archive-keyring.gpg |
        $sudo tee "${parts}brannoch-deb-src.sources" >/dev/null
fi

start=$(date +%s)
apt_get update -q || { echo "apt-get update failed; still missing:$required$optional" >&2; exit 1; }
echo "apt-get update: $(seconds "$start") s"
if [ $need_sources = yes ] && ! apt-get source --print-uris -qq libsdl2 >/dev/null 2>&1; then
    echo "apt knows no source of libsdl2 after the update (the browser and Windows builds need" \
        "Debian's sources of the SDL2 libraries); still missing:$required$optional" >&2
    exit 1
fi
if [ -n "$required" ]; then
    start=$(date +%s) && echo "Installing:$required"
    apt_get install -y -q --no-install-recommends $required ||
        { echo "Could not install the missing Debian packages:$required" >&2; exit 1; }
    echo "Installed in $(seconds "$start") s:$required"
fi
if [ -n "$optional" ]; then
    start=$(date +%s) && echo "Installing where possible:$optional"
    if ! apt_get install -y -q --no-install-recommends $optional; then
        for p in $optional; do apt_get install -y -q --no-install-recommends "$p" || failed="${failed:-} $p"; done
        [ -z "${failed:-}" ] || echo "Could not install:$failed (the tests that need them are skipped)"
    fi
    echo "Installed where possible in $(seconds "$start") s:$optional"
fi
