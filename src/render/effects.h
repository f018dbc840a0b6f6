#pragma once

#include <cstdint>

#include "game/effect.h"
#include "game/game_state.h"
#include "world/entity.h"

inline constexpr double kFloatingNumberLifetime = 0.5;  // seconds
inline constexpr double kExplosionLifetime = 0.2;       // seconds

// A floating number showing `value`, somewhere in the 550-pixel square that starts at the
// player's map position: two rand() draws, x first.
Effect makeFloatingNumber(const Entity& player, int32_t value, int32_t fromPlayer);

// An explosion over a dying enemy's corner.
Effect makeExplosion(const Entity& enemy);

// Frame steps: age every record by `frameDelta` seconds, draw it, and erase it once its age
// passes its lifetime. A record is always drawn in the frame it expires in.
void updateFloatingNumbers(GameState& state, double frameDelta);
void updateExplosions(GameState& state, double frameDelta);
