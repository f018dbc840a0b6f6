#pragma once

#include <vector>

#include "world/entity.h"

// The five enemy kinds: health, level (also the experience a defeat gives) and attack.
struct EnemyKind {
    int32_t health;
    int32_t level;
    int32_t attack;
};
inline constexpr int kEnemyKindCount = 5;
inline constexpr EnemyKind kEnemyKinds[kEnemyKindCount] = {
    {50, 2, 10}, {800, 10, 25}, {2000, 30, 150}, {5000, 50, 550}, {10000, 100, 1500},
};

// Where a wave stands: its first enemy's top left corner, then each next one a step down and
// to the right. Every enemy is as large as the player's pose.
inline constexpr float kWaveX = 600.0f;
inline constexpr float kWaveY = 300.0f;
inline constexpr float kWaveStep = 50.0f;
inline constexpr int32_t kEnemyWidth = 50;
inline constexpr int32_t kEnemyHeight = 100;

// Kind of one enemy of a wave at the player's `level`, drawing from rand() only in the
// mixed level bands.
int32_t chooseEnemyKind(int32_t level);

// Appends a wave of 1 to 3 enemies (exactly 1 below level 5) chosen by the player's level,
// standing on the diagonal from (kWaveX, kWaveY). Draws the wave size from rand() on every call.
void spawnWave(std::vector<Entity>& enemies, const Entity& player);

// Last step of a frame: an empty enemy list pays one Vrask into `vraskCount` and brings the
// next wave for the player's level.
void refillWave(std::vector<Entity>& enemies, const Entity& player, int32_t& vraskCount);
