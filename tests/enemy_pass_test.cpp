#include "combat/enemy_pass.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "support/rules.h"

namespace {

class EnemyPass : public Screen {};

// Death is tested after the blow: at 0 health or below an enemy strikes once more, then leaves.
TEST_F(EnemyPass, EveryEnemyStrikesThenTheFelledOnesLeave) {
    state.enemies = {enemyAt(600.0f, 300.0f, 0, 1, 10, 2), enemyAt(650.0f, 350.0f, 1, 0, 25, 10),
                     enemyAt(700.0f, 400.0f, 2, -5, 150, 30)};
    state.enemiesAnswered = false;
    state.player.health = 160;  // falls below 0 at the third blow; the pass does not care
    // Draws: first enemy x, y; second x, y, death roll; third x, y, death roll.
    const std::vector<int> draws = drawsAfter(11, 8);
    std::srand(11);
    enemyPass(state);

    EXPECT_EQ(state.player.health, 160 - 10 - 25 - 150);
    ASSERT_EQ(state.enemies.size(), 1u);
    EXPECT_EQ(state.enemies[0].attack, 10);
    EXPECT_TRUE(state.enemiesAnswered);
    EXPECT_EQ(state.player.experience, 40);
    EXPECT_EQ(state.explosions.size(), 2u);
    // One death sound for each of the two deaths.
    EXPECT_EQ(screen.playing(), std::vector<Mix_Chunk*>(2, state.assets.enemyDeathSound));
    EXPECT_EQ(state.vraskCount, 1 + (draws[4] % 100 > 50 ? 2 : 0) + (draws[7] % 100 > 50 ? 8 : 0));
    const std::tuple<const char*, size_t> numbers[] = {{"10", 0}, {"25", 2}, {"150", 5}};
    ASSERT_EQ(state.floatingNumbers.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const auto [text, drawX] = numbers[i];
        const Effect& n = state.floatingNumbers[i];
        EXPECT_EQ(std::tie(n.text, n.fromPlayer, n.age, n.rect.x, n.rect.y, n.rect.w, n.rect.h),
                  std::make_tuple(text, 0, 0.0, 200 + draws[drawX] % 550,
                                  240 + draws[drawX + 1] % 550, 30, 12));
    }
}

// Experience and the explosion come whatever the roll and the kind.
TEST_F(EnemyPass, DefeatPaysVraskAboveFiftyForKnownKinds) {
    const std::tuple<int32_t, int, int32_t> cases[] = {
        // type, roll, Vrask paid
        {0, 50, 0},  {0, 51, 1},  {1, 51, 2}, {2, 51, 8}, {3, 50, 0},
        {3, 51, 30}, {4, 99, 50}, {4, 0, 0},  {7, 99, 0}, {-1, 99, 0}};
    for (const auto& [type, roll, vrask] : cases) {
        SCOPED_TRACE(testing::Message() << "type " << type << " roll " << roll);
        std::tie(state.vraskCount, state.player.experience) = std::make_tuple(1, 3);
        state.explosions.clear();
        std::srand(seedGiving({{100, roll}}));
        rewardDefeat(state, enemyAt(123.7f, -4.5f, type, 0, 10, 13));
        ASSERT_EQ(
            std::make_tuple(state.vraskCount, state.player.experience, state.explosions.size()),
            std::make_tuple(1 + vrask, 16, 1u));
        const Effect& blast = state.explosions[0];  // its corner truncated toward zero, not down
        EXPECT_EQ(
            std::tie(blast.rect.x, blast.rect.y, blast.rect.w, blast.rect.h, blast.text, blast.age),
            std::make_tuple(123, -4, 50, 50, "NULL", 0.0));
    }
}

TEST_F(EnemyPass, SpriteByKindAndOnePixelOfBarPerHealthPoint) {
    const std::tuple<int32_t, int32_t> cases[] = {{0, 40}, {4, 1}, {2, 0}, {7, 40}, {-1, 40}};
    for (const auto& [type, health] : cases) {
        SCOPED_TRACE(testing::Message() << "type " << type << " health " << health);
        screen.clear();
        state.enemies = {enemyAt(600.9f, 300.0f, type, health, 10, 2)};
        enemyPass(state);
        const bool known = type >= 0 && type < kEnemyKindCount;
        const SDL_Color shown = known ? kEnemyColours[type] : kBlack;
        EXPECT_EQ(screen.count(shown, {600, 300, 50, 100}), 50 * 100);
        const SDL_Rect bar{590, 290, health, 10};
        EXPECT_EQ(screen.count(kHealthBarColour, bar), health * 10);
        EXPECT_EQ(countOutside(kHealthBarColour, bar), 0);
    }
}

}  // namespace
