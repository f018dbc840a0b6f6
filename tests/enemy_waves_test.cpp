#include "world/enemy_waves.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/game_state.h"
#include "test_support.h"

namespace {

using support::drawsAfter;
using support::seedGiving;

// The kind an enemy gets at `level` from the draw d = rand() % 100, written as the game's
// band table reads: inclusive upper bounds of d per kind. -1 for a level that draws nothing.
int expectedKind(int32_t level, int d) {
    struct Row {
        int32_t lowest, highest;
        std::vector<int> lastDrawOfKind;
    };
    const Row rows[] = {
        {6, 9, {52, 99}},
        {11, 19, {35, 52, 99}},
        {21, 39, {20, 35, 48, 99}},
        {41, 99, {10, 20, 35, 45, 99}},
    };
    for (const Row& row : rows) {
        if (level < row.lowest || level > row.highest) continue;
        for (size_t kind = 0; kind < row.lastDrawOfKind.size(); ++kind) {
            if (d <= row.lastDrawOfKind[kind]) return static_cast<int>(kind);
        }
    }
    return -1;
}

Entity playerAtLevel(int32_t level) {
    Entity player;
    player.level = level;
    return player;
}

TEST(EnemyWaves, SizeKindsAndDrawsFollowTheLevelBands) {
    const int32_t levels[] = {1, 4, 5, 6, 9, 10, 11, 19, 20, 21, 39, 40, 41, 99, 100, 150};
    const int stats[kEnemyKindCount][3] = {
        {50, 2, 10}, {800, 10, 25}, {2000, 30, 150}, {5000, 50, 550}, {10000, 100, 1500}};
    for (const int32_t level : levels) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        const bool mixed = expectedKind(level, 0) >= 0;
        bool sawSize[4] = {};
        bool sawKind[kEnemyKindCount] = {};
        for (unsigned seed = 0; seed < 300; ++seed) {
            const std::vector<int> draws = drawsAfter(seed, 5);
            const size_t size = level < 5 ? 1 : static_cast<size_t>(draws[0] % 3 + 1);
            std::srand(seed);
            std::vector<Entity> enemies;
            spawnWave(enemies, playerAtLevel(level));
            ASSERT_EQ(enemies.size(), size);
            // One draw for the size, then one per enemy in the mixed bands only.
            const size_t used = 1 + (mixed ? size : 0);
            ASSERT_EQ(std::rand(), draws[used]) << "seed " << seed;
            sawSize[size] = true;
            for (size_t i = 0; i < size; ++i) {
                const int kind = mixed ? expectedKind(level, draws[1 + i] % 100) : 0;
                const Entity& enemy = enemies[i];
                ASSERT_EQ(enemy.type, kind) << "seed " << seed << " enemy " << i;
                EXPECT_EQ(enemy.health, stats[kind][0]);
                EXPECT_EQ(enemy.level, stats[kind][1]);
                EXPECT_EQ(enemy.attack, stats[kind][2]);
                EXPECT_EQ(enemy.w, 50);
                EXPECT_EQ(enemy.h, 100);
                EXPECT_EQ(enemy.spawned, 1);
                EXPECT_TRUE(enemy.values.empty());
                sawKind[kind] = true;
            }
        }
        EXPECT_EQ(sawSize[2] || sawSize[3], level >= 5);
        const int kinds = mixed ? expectedKind(level, 99) + 1 : 1;
        for (int kind = 0; kind < kEnemyKindCount; ++kind) EXPECT_EQ(sawKind[kind], kind < kinds);
    }
}

TEST(EnemyWaves, KindChangesExactlyAtTheBandThresholds) {
    const struct {
        int32_t level;
        int draw;
        int32_t kind;
    } cases[] = {
        {6, 52, 0},  {6, 53, 1},  {9, 52, 0},  {9, 53, 1},  {11, 35, 0}, {11, 36, 1},
        {19, 52, 1}, {19, 53, 2}, {21, 20, 0}, {21, 21, 1}, {39, 35, 1}, {39, 36, 2},
        {21, 48, 2}, {21, 49, 3}, {41, 10, 0}, {41, 11, 1}, {99, 20, 1}, {99, 21, 2},
        {41, 35, 2}, {41, 36, 3}, {41, 45, 3}, {41, 46, 4}, {99, 99, 4}, {6, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " draw " << c.draw);
        std::srand(seedGiving({{100, c.draw}}));
        EXPECT_EQ(chooseEnemyKind(c.level), c.kind);
    }
}

TEST(EnemyWaves, WaveStandsOnADiagonalAfterTheEnemiesAlreadyThere) {
    std::srand(seedGiving({{3, 2}}));  // a wave of three
    std::vector<Entity> enemies(2, support::enemyAt(1.0f, 2.0f, 1, 7, 7, 7));
    spawnWave(enemies, playerAtLevel(5));
    ASSERT_EQ(enemies.size(), 5u);
    EXPECT_EQ(enemies[0].health, 7);
    EXPECT_EQ(enemies[1].health, 7);
    const float corners[3][2] = {{600.0f, 300.0f}, {650.0f, 350.0f}, {700.0f, 400.0f}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(enemies[2 + i].x, corners[i][0]);
        EXPECT_EQ(enemies[2 + i].y, corners[i][1]);
    }
}

TEST(EnemyWaves, RefillPaysOneVraskOnlyForAnEmptyList) {
    GameState state;
    state.player.level = 1;
    state.vraskCount = 4;
    refillWave(state);
    ASSERT_EQ(state.enemies.size(), 1u);
    EXPECT_EQ(state.vraskCount, 5);

    state.enemies[0].health = -20;  // defeated but not yet removed: the list is not empty
    refillWave(state);
    EXPECT_EQ(state.enemies.size(), 1u);
    EXPECT_EQ(state.vraskCount, 5);
}

}  // namespace
