#!/usr/bin/env bash
# `run.sh NAME` plays row NAME (name, CTest label, steps over lib.sh's helpers) under its own
# Xvfb in DIR, a fresh copy of the assets. Needs GAME, ASSETS and SHIM (failing_init.c built).
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

# missing_assets: each file the game reads missing in turn, then all ('*'); odd_map: the odd maps.
TABLE=$(cat <<'ROWS'
startup         window    begin; x11 close; ends 0 3
no_display      window    SDL_VIDEODRIVER=nonexistent start_game "$DIR"; ends 1 'SDL Init failed: *' 'Window could not be created: *'
play            window    begin; ready; click_until $ATTACK 3 $HEALTH; click_until $ATTACK 20 $VRASK; term; ends 0 3
missing_assets  window    for f in $(cd "$ASSETS"; ls *.png *.wav *.ttf *.miap) '*'; do fresh "without_$f"; rm "$DIR"/$f; plays; done
no_audio        window    SDL_AUDIODRIVER=alsa ALSA_CARD=brannoch-no-such-card plays 'Error: *' 3
no_audio_driver window    SDL_AUDIODRIVER=brannoch-no-such-driver plays 'SDL Init failed: *' 'Error: *' 3
hostile_map     window    for m in random long_line empty_lines no_mark crlf folder; do fresh "map_$m"; odd_map $m; plays; done
failing_init    window    PRELOAD=$SHIM NO_TEXT=1 plays 'Font init failedno fonts here' 'Image init failed: no images here' 3
ROWS
)

fresh() { CASE=$1 DIR=$WORK/$1 && mkdir "$DIR" && cp "$ASSETS"/* "$DIR"/; }

# Plays in DIR: clicks Attack until the health box changes (where there is text to show it), then
# SIGTERM: the game ran on, ends with status 0 and wrote the lines "$@" ("3" by default).
plays() {
    begin
    if [ -e "$DIR/DelaGothicOne-Regular.ttf" ] && [ -z "${NO_TEXT:-}" ]; then
        ready; click_until $ATTACK 3 $HEALTH
    else click $ATTACK; sleep 0.5; fi
    term; ends 0 "${@:-3}"
}

# The same bytes on every run, so that a failure can be repeated.
odd_map() {
    case $1 in
        random) python3 -c 'import random as r; r.seed(20240607); open(1, "wb").write(r.randbytes(1 << 20))' ;;
        long_line) printf '%199999s@\n' '' | tr ' ' - ;;
        empty_lines) printf '%10000s' '' | tr ' ' '\n' ;;
        no_mark) tr @ - <"$ASSETS/map.miap" ;;
        crlf) sed 's/$/\r/' "$ASSETS/map.miap" ;;
        folder) rm "$DIR/map.miap" && mkdir "$DIR/map.miap" ;;
    esac >"$DIR/map.miap"
}

row=$(grep -E "^$1 +[a-z]+ " <<<"$TABLE") || fail "no row named '$1'"
fresh game
eval "$(sed -E 's/^[a-z_]+ +[a-z]+ +//' <<<"$row")"
echo "$1: ok"
