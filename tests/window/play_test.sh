#!/usr/bin/env bash
# Plays a few turns with the mouse and reads the HUD from screenshots: the health box stays
# still while the player waits, and changes once the enemies answer an Attack.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

HEALTH_BOX=100x50+400+20
VRASK_BOX=100x50+150+100
ATTACK=(235 575)

start_game
wait_window
screenshot "$WORK/start.png"
sleep 1
screenshot "$WORK/idle.png"
[ "$(region_sum "$WORK/start.png" $HEALTH_BOX)" = "$(region_sum "$WORK/idle.png" $HEALTH_BOX)" ] ||
    fail "the health box changed while the player did nothing"

click_at "${ATTACK[@]}"
screenshot "$WORK/attacked.png"
[ "$(region_sum "$WORK/idle.png" $HEALTH_BOX)" != "$(region_sum "$WORK/attacked.png" $HEALTH_BOX)" ] ||
    fail "the health box did not change after an Attack"

# Nine more blows fell the first enemy (50 health, 5 a blow); the next wave pays a Vrask.
for _ in $(seq 9); do click_at "${ATTACK[@]}"; done
screenshot "$WORK/cleared.png"
[ "$(region_sum "$WORK/idle.png" $VRASK_BOX)" != "$(region_sum "$WORK/cleared.png" $VRASK_BOX)" ] ||
    fail "the Vrask box did not change after the first wave fell"

stop_game
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
[ "$(tail -n 1 "$WORK/out.txt")" = "3" ] || fail "standard output: $(cat "$WORK/out.txt")"
echo "play: ok"
