#pragma once

#include <cstddef>

#include "game/game_state.h"

// Button positions, as makeButtons lays them out.
inline constexpr size_t kAttackButton = 0;
inline constexpr size_t kBlockButton = 1;
inline constexpr size_t kVraskButton = 2;

// Frame step: while the Down arrow is held (`downHeld`, read from the keyboard by the frame),
// the selection moves on by one enemy each frame, wrapping to the first.
void cycleTarget(GameState& state, bool downHeld);

// Frame step: turns enough experience into one level and five attack power; a larger
// surplus waits for the next frames, one level per frame.
void checkLevelUp(GameState& state);

// What follows the action of the button at `position`: a green number with the attack
// power, the pose and sound (a Vrask use for "Do Vrask!"), and the enemies' turn to answer.
void finishAction(GameState& state, size_t position);

// Frame step: a player whose health fell below 0 starts again with the start statistics
// and a fresh wave.
void resetAfterDeath(GameState& state);
