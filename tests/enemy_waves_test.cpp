#include "world/enemy_waves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <tuple>
#include <vector>

#include "support/rules.h"

namespace {

// Rows: level, d = rand() % 100, kind; d -1 where the level draws nothing and meets kind 0.
TEST(EnemyWaves, KindChangesExactlyAtTheBandEdges) {
    const std::tuple<int32_t, int, int32_t> cases[] = {
        {1, -1, 0},  {4, -1, 0},  {5, -1, 0},  {6, 52, 0},  {6, 53, 1},   {9, 53, 1},
        {10, -1, 0}, {11, 35, 0}, {11, 36, 1}, {19, 52, 1}, {19, 53, 2},  {20, -1, 0},
        {21, 20, 0}, {21, 21, 1}, {30, 35, 1}, {30, 36, 2}, {39, 48, 2},  {39, 49, 3},
        {40, -1, 0}, {41, 10, 0}, {41, 11, 1}, {70, 20, 1}, {70, 21, 2},  {99, 35, 2},
        {99, 36, 3}, {41, 45, 3}, {41, 46, 4}, {99, 99, 4}, {100, -1, 0}, {150, -1, 0}};
    for (const auto& [level, draw, kind] : cases) {
        SCOPED_TRACE(testing::Message() << "level " << level << " d " << draw);
        const unsigned seed = seedGiving({{100, draw < 0 ? 99 : draw}});
        const std::vector<int> draws = drawsAfter(seed, 2);
        std::srand(seed);
        EXPECT_EQ(chooseEnemyKind(level), kind);
        // Only the mixed bands draw: the next number is the first or the second after the seed.
        EXPECT_EQ(std::rand(), draws[draw < 0 ? 0 : 1]);
    }
}

// One enemy below level 5, else one to three, appended on a diagonal from (600, 300).
TEST(EnemyWaves, SizeStatisticsAndPlacesFollowTheLevel) {
    const std::tuple<int32_t, int32_t, int32_t> kinds[kEnemyKindCount] = {
        {50, 2, 10}, {800, 10, 25}, {2000, 30, 150}, {5000, 50, 550}, {10000, 100, 1500}};
    Entity player;
    bool seen[kEnemyKindCount] = {};
    for (const int32_t level : {1, 4, 5, 41}) {
        for (unsigned seed = 0; seed < 30; ++seed) {
            SCOPED_TRACE(testing::Message() << "level " << level << " seed " << seed);
            player.level = level;
            const std::vector<int> draws = drawsAfter(seed, 5);
            const size_t size = level < 5 ? 1 : static_cast<size_t>(draws[0] % 3 + 1);
            std::vector<Entity> enemies(1);
            std::srand(seed);
            spawnWave(enemies, player);
            ASSERT_EQ(enemies.size(), 1 + size);
            // One draw for the size on every call, then one per enemy in the mixed bands only.
            EXPECT_EQ(std::rand(), draws[level == 41 ? 1 + size : 1]);
            for (size_t i = 0; i < size; ++i) {
                const Entity& e = enemies[1 + i];
                // The i-th enemy takes the kind of the i-th draw after the size.
                std::srand(seedGiving({{100, draws[1 + i] % 100}}));
                ASSERT_EQ(e.type, level == 41 ? chooseEnemyKind(level) : 0);
                seen[e.type] = true;
                EXPECT_EQ(std::tie(e.health, e.level, e.attack), kinds[e.type]);
                EXPECT_EQ(std::make_tuple(e.w, e.h, e.spawned), std::make_tuple(50, 100, 1));
                const float step = 50.0f * static_cast<float>(i);
                EXPECT_EQ(std::tie(e.x, e.y), std::make_tuple(600.0f + step, 300.0f + step));
            }
        }
    }
    EXPECT_EQ(std::count(std::begin(seen), std::end(seen), true), kEnemyKindCount);
}

}  // namespace
