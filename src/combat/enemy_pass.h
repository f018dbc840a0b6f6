#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "world/entity.h"

// One enemy's blow: the player loses the enemy's attack and a red number shows it.
void strikePlayer(GameState& state, const Entity& enemy);

// One enemy's death and its rewards: a Vrask roll (rand() % 100 above 50 pays the drop), an
// explosion at its corner, its level as experience and the death sound. Does not remove it.
void rewardDefeat(GameState& state, const Entity& enemy);

// Frame step: walks the enemy list once. Each enemy is drawn with its health bar, strikes
// if the player has acted since the last pass, and dies (after striking) at 0 health or
// below. Ends with the enemies' answer given.
void enemyPass(GameState& state);
