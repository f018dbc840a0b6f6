#!/usr/bin/env bash
# `run.sh NAME` plays row NAME (name, CTest label, steps over lib.sh's helpers) under its own
# Xvfb in DIR, a fresh copy of the assets. Needs GAME, ASSETS and SHIM (failing_init.c built).
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

# missing_assets: each file the game reads missing in turn, then all ('*').
TABLE=$(cat <<'ROWS'
startup         window    begin; x11 close; ends 0 3
no_display      window    SDL_VIDEODRIVER=nonexistent start_game "$DIR"; ends 1 'SDL Init failed: *' 'Window could not be created: *'
play            window    begin; ready; click_until $ATTACK 3 $HEALTH; click_until $ATTACK 20 $VRASK; term; ends 0 3
missing_assets  window    for f in $(cd "$ASSETS"; ls *.png *.wav *.ttf *.miap) '*'; do fresh "without_$f"; rm "$DIR"/$f; plays; done
no_audio        window    SDL_AUDIODRIVER=alsa ALSA_CARD=brannoch-no-such-card plays 'Error: *' 3
failing_init    window    PRELOAD=$SHIM NO_TEXT=1 plays 'Font init failedno fonts here' 'Image init failed: no images here' 3
ROWS
)

fresh() { CASE=$1 DIR=$WORK/$1 && mkdir "$DIR" && cp "$ASSETS"/* "$DIR"/; }

# Plays in DIR (Attack answered where there is text), then SIGTERM: status 0, lines "$@" or "3".
plays() {
    begin
    if [ -e "$DIR/DelaGothicOne-Regular.ttf" ] && [ -z "${NO_TEXT:-}" ]; then
        ready; click_until $ATTACK 3 $HEALTH
    else click $ATTACK; sleep 0.5; fi
    term; ends 0 "${@:-3}"
}

row=$(grep -E "^$1 +[a-z]+ " <<<"$TABLE") || fail "no row named '$1'"
fresh game
eval "$(sed -E 's/^[a-z_]+ +[a-z]+ +//' <<<"$row")"
echo "$1: ok"
