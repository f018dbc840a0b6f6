#pragma once

#include <SDL.h>

#include <algorithm>

#include "game/layout.h"
#include "world/enemy_waves.h"

// The game's places (game/layout.h, world/enemy_waves.h) as the background is painted around
// them, and the painter's own lines.

// The smallest rectangle that holds both.
constexpr SDL_Rect unite(const SDL_Rect& a, const SDL_Rect& b) {
    const int x = std::min(a.x, b.x);
    const int y = std::min(a.y, b.y);
    return {x, y, std::max(a.x + a.w, b.x + b.w) - x, std::max(a.y + a.h, b.y + b.h) - y};
}

// The HUD text (pale yellow), which wants a calm dark wall behind it.
inline constexpr SDL_Rect kHudArea =
    unite(unite(kHealthRow.value, kLevelRow.label), unite(kAttackRow.label, kVraskRow.value));

// Where the first, second and third enemy of a wave stand.
constexpr SDL_Rect enemyPlace(int index) {
    return {static_cast<int>(kWaveX + kWaveStep * static_cast<float>(index)),
            static_cast<int>(kWaveY + kWaveStep * static_cast<float>(index)), kEnemyWidth,
            kEnemyHeight};
}
inline constexpr SDL_Rect kEnemyPlaces[3] = {enemyPlace(0), enemyPlace(1), enemyPlace(2)};

// How far a button plate reaches beyond the button's outline on every side.
inline constexpr int kPlateMargin = 6;

// The line where the back wall meets the floor.
inline constexpr int kFloorTop = 250;
