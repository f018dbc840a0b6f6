#include "world/enemy_waves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "shell/game_state.h"
#include "test_support.h"

namespace {

// Per band of player levels, the lowest draw d = rand() % 100 that gives kind 1, 2, ... of a
// wave's enemy; no thresholds for the levels that draw no kind and meet kind 0 only.
struct Band {
    int32_t lowest, highest;
    std::vector<int> thresholds;
};
const Band kBands[] = {
    {1, 5, {}},     {6, 9, {53}},           {10, 10, {}}, {11, 19, {36, 53}},
    {20, 20, {}},   {21, 39, {21, 36, 49}}, {40, 40, {}}, {41, 99, {11, 21, 36, 46}},
    {100, 150, {}},
};

int kindFor(const Band& band, int draw) {
    const auto& t = band.thresholds;
    return static_cast<int>(
        std::count_if(t.begin(), t.end(), [&](int low) { return draw >= low; }));
}

TEST(EnemyWaves, KindChangesExactlyAtTheBandThresholds) {
    for (int draw = 0; draw < 100; ++draw) {
        const unsigned seed = support::seedGiving({{100, draw}});
        for (const Band& band : kBands) {
            for (int32_t level = band.lowest; level <= band.highest; ++level) {
                std::srand(seed);
                EXPECT_EQ(chooseEnemyKind(level), kindFor(band, draw)) << level << " " << draw;
            }
        }
    }
}

// Appended after the enemy already there, on a diagonal from (600, 300).
TEST(EnemyWaves, SizeKindsDrawsAndPlacesFollowTheLevel) {
    const int stats[kEnemyKindCount][3] = {
        {50, 2, 10}, {800, 10, 25}, {2000, 30, 150}, {5000, 50, 550}, {10000, 100, 1500}};
    Entity player;
    for (const Band& band : kBands) {
        for (player.level = band.lowest; player.level <= band.highest; ++player.level) {
            for (unsigned seed = 0; seed < 20; ++seed) {
                SCOPED_TRACE(testing::Message() << "level " << player.level << " seed " << seed);
                const std::vector<int> draws = support::drawsAfter(seed, 5);
                const size_t size = player.level < 5 ? 1 : static_cast<size_t>(draws[0] % 3 + 1);
                std::vector<Entity> enemies(1);
                std::srand(seed);
                spawnWave(enemies, player);
                ASSERT_EQ(enemies.size(), 1 + size);
                EXPECT_EQ(enemies[0].spawned, 0);
                // One draw for the size, then one per enemy in the mixed bands only.
                EXPECT_EQ(std::rand(), draws[1 + (band.thresholds.empty() ? 0 : size)]);
                for (size_t i = 0; i < size; ++i) {
                    const Entity& e = enemies[1 + i];
                    const int k = kindFor(band, draws[1 + i] % 100);
                    const float step = 50.0f * static_cast<float>(i);
                    EXPECT_EQ(
                        std::tie(e.type, e.health, e.level, e.attack, e.w, e.h, e.spawned),
                        std::make_tuple(k, stats[k][0], stats[k][1], stats[k][2], 50, 100, 1));
                    EXPECT_EQ(std::tie(e.x, e.y), std::make_tuple(600.0f + step, 300.0f + step));
                }
            }
        }
    }
}

TEST(EnemyWaves, RefillPaysOneVraskOnlyForAnEmptyList) {
    GameState state;
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
