#!/usr/bin/env bash
# Odd "map.miap" files: the game reads what it can, plays (an Attack changes the health box),
# ends with status 0 on SIGTERM and writes only "3". Without a player mark the player starts
# with the start statistics at the shipped map's mark cell.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

make_map() {
    local name=$1
    mkdir -p "$WORK/$name"
    cp "$ASSETS"/* "$WORK/$name/"
    cat >"$WORK/$name/map.miap"
}

# The same bytes on every run, so that a failure can be repeated.
python3 -c 'import random, sys; random.seed(20240607); sys.stdout.buffer.write(random.randbytes(1 << 20))' |
    make_map random-mebibyte
python3 -c 'import sys; sys.stdout.write("-" * 199999 + "@\n")' | make_map long-line
python3 -c 'import sys; sys.stdout.write("\n" * 10000)' | make_map empty-lines
tr '@' '-' <"$ASSETS/map.miap" | make_map no-mark
sed 's/$/\r/' "$ASSETS/map.miap" | make_map crlf
make_map folder </dev/null
rm "$WORK/folder/map.miap" && mkdir "$WORK/folder/map.miap"

grep -q '@' "$WORK/no-mark/map.miap" && fail "the no-mark map has a mark"
[ "$(wc -c <"$WORK/random-mebibyte/map.miap")" = 1048576 ] || fail "random map size"

for name in random-mebibyte long-line empty-lines no-mark crlf folder; do
    play_briefly "$WORK/$name" "map $name"
    [ "$(cat "$WORK/out.txt")" = "3" ] || fail "map $name: output $(cat "$WORK/out.txt")"
done
echo "hostile maps: ok"
