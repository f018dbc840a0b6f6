#!/usr/bin/env bash
# With no usable audio device the game says so once ("Error: ..."), then runs silent: it plays,
# ends with status 0 on SIGTERM, and its last line is "3".
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

mkdir -p "$WORK/game"
cp "$ASSETS"/* "$WORK/game/"

# ALSA with no sound card: the audio subsystem starts, opening the device fails. The card name
# makes sure of that on a machine that has one.
export SDL_AUDIODRIVER=alsa ALSA_CARD=brannoch-no-such-card
play_briefly "$WORK/game" "ALSA without a card"
mapfile -t lines <"$WORK/out.txt"
[ "${#lines[@]}" = 2 ] && [[ "${lines[0]}" == "Error: "* ]] ||
    fail "ALSA without a card: output $(cat "$WORK/out.txt")"

# An audio driver that does not exist: the audio subsystem itself fails to start, so SDL_Init
# reports first; the window comes up all the same.
export SDL_AUDIODRIVER=brannoch-no-such-driver
play_briefly "$WORK/game" "unknown audio driver"
mapfile -t lines <"$WORK/out.txt"
[ "${#lines[@]}" = 3 ] && [[ "${lines[0]}" == "SDL Init failed: "* ]] &&
    [[ "${lines[1]}" == "Error: "* ]] || fail "unknown audio driver: output $(cat "$WORK/out.txt")"
echo "no audio: ok"
