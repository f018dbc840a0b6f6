#!/usr/bin/env bash
# `check.sh VERSION deb|windows|web...`: each release artefact of this tree, as its last build
# left it, against a second build of the same tree in another folder, later, under umask 077,
# byte for byte. SOURCE_DATE_EPOCH is left to each build (both are checkouts of one commit).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$1 && shift
again=$(mktemp -d /tmp/brannoch-again-XXXXXX)
trap 'rm -rf "$again"' EXIT
git -C "$root" diff --quiet HEAD && [ -z "$(git -C "$root" ls-files -o --exclude-standard)" ] ||
    echo "note: the work tree differs from commit $(git -C "$root" rev-parse --short HEAD);" \
        "both builds are of the tree as it stands"
git clone -q "$root" "$again/tree"  # then the work tree's own files over it
(cd "$root" && git ls-files -co --exclude-standard -z | tar --null -T - -c) | tar -x -C "$again/tree"

declare -A made=([deb]="build/brannoch_${version}_$(dpkg --print-architecture).deb"
    [windows]="build-windows/brannoch-$version-windows-x64.zip build-windows/brannoch-$version-windows-x64-setup.exe"
    [web]="build-web/brannoch-$version-web.zip")
# The second build makes only what it compares: no tests or benchmarks beside the package.
again_build() {
    case $1 in
        deb) make -s package CMAKE_EXTRA_FLAGS="-DBRANNOCH_TESTS=OFF -DBRANNOCH_BENCH=OFF" ;;
        *) make -s "$1" ;;
    esac
}
status=0
for kind in "$@"; do
    for file in ${made[$kind]}; do
        [ -e "$root/$file" ] || { echo "SKIPPED $kind: $file was not built on this machine"; continue 2; }
    done
    (cd "$again/tree" && umask 077 && again_build "$kind") >"$again/$kind.log" 2>&1 ||
        { tail -n 30 "$again/$kind.log"; echo "FAIL: the second $kind build failed"; exit 1; }
    for file in ${made[$kind]}; do
        first=$(sha256sum <"$root/$file") second=$(sha256sum <"$again/tree/$file")
        echo "${first%% *}  ${second%% *}  $file"
        [ "$first" = "$second" ] || { status=1 && trap - EXIT && echo "FAIL: $file differs;" \
            "diffoscope $root/$file $again/tree/$file shows where"; }
    done
done
[ $status = 0 ] && echo "reproducible: $*"
exit $status
