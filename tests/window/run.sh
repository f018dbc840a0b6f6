#!/usr/bin/env bash
# `run.sh NAME` plays row NAME below under its own Xvfb in DIR, a fresh copy of the assets.
# Needs GAME, ASSETS and SHIM (failing_init.c built); tests/window/CMakeLists.txt names the rows.
source "$(dirname "$0")/lib.sh"
run_under_xvfb

fresh() { CASE=$1 DIR=$WORK/$1 && mkdir "$DIR" && cp "$ASSETS"/* "$DIR"/; }

# Plays in DIR (Attack answered where there is text), then SIGTERM: status 0, lines "$@" or "3".
plays() {
    begin
    if [ -e "$DIR/DelaGothicOne-Regular.ttf" ] && [ -z "${NO_TEXT:-}" ]; then
        ready; click_until $ATTACK 3 $HEALTH
    else click $ATTACK; sleep 0.5; fi
    term; ends 0 "${@:-3}"
}

row_startup() { begin; x11 close; ends 0 3; }
row_no_display() {
    SDL_VIDEODRIVER=nonexistent start_game "$DIR"
    ends 1 'SDL Init failed: *' 'Window could not be created: *'
}
row_play() { begin; ready; click_until $ATTACK 3 $HEALTH; click_until $ATTACK 20 $VRASK; term; ends 0 3; }
row_missing_assets() {  # each file the game reads missing in turn, then all ('*')
    for f in $(cd "$ASSETS"; ls *.png *.wav *.ttf *.miap) '*'; do
        fresh "without_$f"; rm "$DIR"/$f; plays
    done
}
row_no_audio() { SDL_AUDIODRIVER=alsa ALSA_CARD=brannoch-no-such-card plays 'Error: *' 3; }
row_failing_init() {
    PRELOAD=$SHIM NO_TEXT=1 plays 'Font init failedno fonts here' 'Image init failed: no images here' 3
}

declare -F "row_$1" >/dev/null || fail "no row named '$1'"
fresh game
"row_$1"
echo "$1: ok"
