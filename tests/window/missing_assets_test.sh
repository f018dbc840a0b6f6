#!/usr/bin/env bash
# Every file the game reads, missing in turn, and then all of them: the game starts, plays
# (where the font is there to show it, an Attack changes the health box), ends with status 0 on
# SIGTERM, and has written nothing but "3" about it.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

NAMES=(bplayer1.png bplayer2.png bplayer3.png back1.png enemy1.png enemy2.png enemy3.png
       enemy4.png enemy5.png health1.png explosion.png vrask.wav button.wav enemydeath.wav
       vrasksound.wav DelaGothicOne-Regular.ttf map.miap)

tried=0
for missing in "${NAMES[@]}"; do
    folder=$WORK/without-$missing
    mkdir -p "$folder"
    for name in "${NAMES[@]}"; do
        if [ "$name" != "$missing" ] && [ -e "$ASSETS/$name" ]; then cp "$ASSETS/$name" "$folder/"; fi
    done
    play_briefly "$folder" "without $missing"
    [ "$(cat "$WORK/out.txt")" = "3" ] || fail "without $missing: output $(cat "$WORK/out.txt")"
    tried=$((tried + 1))
done

mkdir -p "$WORK/empty"
play_briefly "$WORK/empty" "empty folder"
[ "$(cat "$WORK/out.txt")" = "3" ] || fail "empty folder: output $(cat "$WORK/out.txt")"
tried=$((tried + 1))
echo "missing assets: ok ($tried folders)"
