#!/usr/bin/env bash
# tools/install_deps.sh on a make-believe system: dpkg-query, apt-get, apt-config, id and sudo are
# stand-ins on a PATH of their own, and apt-get logs each call that would change the system.
set -euo pipefail
script=$(realpath "$(dirname "$0")/../../tools/install_deps.sh")
work=$(mktemp -d /tmp/brannoch-deps-XXXXXX) && trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
for tool in sh grep sed head env tee date cat touch; do ln -s "$(command -v $tool)" "$work/bin/"; done
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$work/bin/$1" && chmod +x "$work/bin/$1"; }
# INSTALLED lists packages, and "NAME:half" one whose install was cut short.
stub dpkg-query 'grep -qx "$3" "$W/installed" && echo "install ok installed"
    grep -qx "$3:half" "$W/installed" && echo "install ok half-installed"'
stub id 'echo "$USER_ID"'
stub apt-config "echo \"list='\$W/etc/sources.list' parts='\$W/etc/parts/'\""
# apt knows the sources once an update has run with a deb-src entry in place; an install fails
# on a package listed in $W/unfetchable, as it does without a network.
stub apt-get '[ "$1" != -o ] || shift 2
    if [ "$1" = source ]; then [ -e "$W/fresh" ]; exit; fi
    echo "$*" >>"$W/calls"
    if [ "$1" = update ]; then [ ! -e "$W/etc/parts/brannoch-deb-src.sources" ] || touch "$W/fresh"; exit 0; fi
    for p; do if grep -qx -- "$p" "$W/unfetchable"; then echo "E: Unable to fetch $p"; exit 100; fi; done'
update="update -q" install="install -y -q --no-install-recommends"
status=0

# row NAME INSTALLED SOURCES-KNOWN UID SUDO UNFETCHABLE ARGS STATUS LINE CALLS...: LINE is a line
# the run must print (times read "N s"); a row that expects no call must print LINE alone.
row() {
    local name=$1 installed=$2 known=$3 uid=$4 sudo=$5 unfetchable=$6 args=$7 want=$8 line=$9
    shift 9
    rm -rf "$work/etc" "$work/calls" "$work/fresh" && mkdir -p "$work/etc/parts" && touch "$work/calls"
    printf 'Types: deb\nURIs: http://mirror.example/debian\nSuites: bookworm\n' >"$work/etc/parts/debian.sources"
    [ "$known" = no ] || touch "$work/fresh"
    tr ' ' '\n' <<<"$installed" >"$work/installed" && tr ' ' '\n' <<<"$unfetchable" >"$work/unfetchable"
    if [ "$sudo" = sudo ]; then stub sudo 'echo sudo >>"$W/calls"; exec "$@"'; else rm -f "$work/bin/sudo"; fi
    local got=0 out calls expected
    out=$(W=$work USER_ID=$uid PATH=$work/bin sh "$script" $args 2>&1 | sed 's/ [0-9]* s/ N s/') || got=$?
    calls=$(grep -vx sudo "$work/calls" | paste -sd '|') expected=$(printf '%s\n' "$@" | paste -sd '|')
    [ "$got" = "$want" ] && [ "$calls" = "$expected" ] && grep -qxF -- "$line" <<<"$out" &&
        { [ $# != 0 ] || [ "$out" = "$line" ]; } ||
        { echo "FAIL $name: status $got, calls '$calls', output:"; echo "$out"; status=1; }
    # Not root: every change goes through sudo.
    [ "$uid" = 0 ] || [ "$(grep -cx sudo "$work/calls")" = $# ] || { echo "FAIL $name: not through sudo"; status=1; }
}

row "nothing missing, the sources known: nothing runs" "a b c" yes 0 sudo "" "--sources a b --optional c" 0 ""
row "the deb-src entry, then one update, then the installs, required first" "" no 0 sudo "" \
    "--sources a b --optional c" 0 "Installed where possible in N s: c" "$update" "$install a b" "$install c"
row "not root: through sudo; half installed is missing" "a b:half" yes 1000 sudo "" "a b" 0 \
    "Installed in N s: b" "$update" "$install b"
row "no root, no sudo: one line naming them, and nothing runs" "" no 1000 none "" "--sources a b" 1 \
    "The missing Debian packages cannot be installed without root or sudo: a b (and a deb-src entry for the SDL2 libraries' sources)"
row "no root, no sudo, only optional ones missing: said, and the build goes on" "a" yes 1000 none "" \
    "a --optional c" 0 "The missing Debian packages cannot be installed without root or sudo: c"
row "apt cannot fetch: its message, then the missing packages named" "" yes 0 sudo "b" "a b" 1 \
    "Could not install the missing Debian packages: a b" "$update" "$install a b"
row "an optional package apt cannot fetch: the others one by one" "" yes 0 sudo "d" "a --optional c d" 0 \
    "Could not install: d (the tests that need them are skipped)" "$update" "$install a" "$install c d" \
    "$install c" "$install d"
[ $status = 0 ] && echo "install_deps: ok"
exit $status
