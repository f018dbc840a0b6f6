#include "combat/enemy_pass.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/game_state.h"
#include "test_support.h"

namespace {

using support::drawsAfter;
using support::enemyAt;
using support::seedGiving;

class EnemyPass : public support::Screen {};

TEST_F(EnemyPass, EnemyDiesAtZeroHealthOrBelow) {
    const struct {
        int32_t health;
        bool dies;
    } cases[] = {{1, false}, {0, true}, {-5, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.health);
        state.enemies = {enemyAt(600.0f, 300.0f, 0, c.health, 10, 2)};
        state.explosions.clear();
        state.player.experience = 0;
        enemyPass(state);
        EXPECT_EQ(state.enemies.size(), c.dies ? 0u : 1u);
        EXPECT_EQ(state.explosions.size(), c.dies ? 1u : 0u);
        EXPECT_EQ(state.player.experience, c.dies ? 2 : 0);
        EXPECT_EQ(state.player.health, 100);  // enemiesAnswered was true: nobody strikes
    }
}

TEST_F(EnemyPass, EveryEnemyStrikesThenTheFelledOneLeaves) {
    state.enemies = {enemyAt(600.0f, 300.0f, 0, 50, 10, 2), enemyAt(650.0f, 350.0f, 1, 0, 25, 10),
                     enemyAt(700.0f, 400.0f, 2, 2000, 150, 30)};
    state.enemiesAnswered = false;
    state.player.health = 160;  // falls below 0 at the third blow; the pass does not care
    // Draws: first enemy x, y; second x, y, death roll; third x, y.
    const std::vector<int> draws = drawsAfter(11, 7);
    std::srand(11);
    enemyPass(state);

    EXPECT_EQ(state.player.health, 160 - 10 - 25 - 150);
    ASSERT_EQ(state.enemies.size(), 2u);
    EXPECT_EQ(state.enemies[0].attack, 10);
    EXPECT_EQ(state.enemies[1].attack, 150);
    EXPECT_TRUE(state.enemiesAnswered);
    EXPECT_EQ(state.player.experience, 10);
    ASSERT_EQ(state.explosions.size(), 1u);
    const SDL_Rect blast = state.explosions[0].rect;
    EXPECT_EQ(blast.x, 650);
    EXPECT_EQ(blast.y, 350);
    EXPECT_EQ(state.vraskCount, 1 + (draws[4] % 100 > 50 ? 2 : 0));

    const struct {
        const char* text;
        int drawX;
    } numbers[] = {{"10", 0}, {"25", 2}, {"150", 5}};
    ASSERT_EQ(state.floatingNumbers.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Effect& number = state.floatingNumbers[i];
        EXPECT_EQ(number.text, numbers[i].text);
        EXPECT_EQ(number.fromPlayer, 0);
        EXPECT_EQ(number.age, 0.0);
        EXPECT_EQ(number.rect.x, 200 + draws[static_cast<size_t>(numbers[i].drawX)] % 550);
        EXPECT_EQ(number.rect.y, 240 + draws[static_cast<size_t>(numbers[i].drawX + 1)] % 550);
        EXPECT_EQ(number.rect.w, 30);
        EXPECT_EQ(number.rect.h, 12);
    }
}

TEST_F(EnemyPass, AnsweredEnemiesOnlyDraw) {
    state.enemies = {enemyAt(600.0f, 300.0f, 0, 50, 10, 2), enemyAt(650.0f, 350.0f, 0, 50, 10, 2)};
    const std::vector<int> draws = drawsAfter(3, 1);
    std::srand(3);
    enemyPass(state);
    EXPECT_EQ(std::rand(), draws[0]);  // nothing drawn from rand
    EXPECT_EQ(state.player.health, 100);
    EXPECT_TRUE(state.floatingNumbers.empty());
    EXPECT_EQ(state.enemies.size(), 2u);
    EXPECT_TRUE(state.enemiesAnswered);
}

TEST_F(EnemyPass, EmptyListStillAnswers) {
    state.enemiesAnswered = false;
    enemyPass(state);
    EXPECT_TRUE(state.enemiesAnswered);
    EXPECT_EQ(state.player.health, 100);
    EXPECT_TRUE(state.floatingNumbers.empty());
}

TEST_F(EnemyPass, DefeatPaysVraskAboveFiftyForKnownKinds) {
    const struct {
        int32_t type;
        int roll;
        int32_t vrask;
    } cases[] = {{0, 50, 0},  {0, 51, 1},  {1, 51, 2}, {2, 51, 8}, {3, 50, 0},
                 {3, 51, 30}, {4, 99, 50}, {4, 0, 0},  {7, 99, 0}, {-1, 99, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " roll " << c.roll);
        state.vraskCount = 1;
        state.player.experience = 3;
        state.explosions.clear();
        const Entity enemy = enemyAt(123.7f, -4.5f, c.type, 0, 10, 13);
        std::srand(seedGiving({{100, c.roll}}));
        rewardDefeat(state, enemy);
        EXPECT_EQ(state.vraskCount, 1 + c.vrask);
        // Experience and the explosion come whatever the roll and the kind.
        EXPECT_EQ(state.player.experience, 16);
        ASSERT_EQ(state.explosions.size(), 1u);
        const Effect& blast = state.explosions[0];
        EXPECT_EQ(blast.rect.x, 123);
        EXPECT_EQ(blast.rect.y, -4);  // toward zero, not down
        EXPECT_EQ(blast.rect.w, 50);
        EXPECT_EQ(blast.rect.h, 50);
        EXPECT_EQ(blast.text, "NULL");
        EXPECT_EQ(blast.age, 0.0);
    }
}

TEST_F(EnemyPass, SpriteByKindAndOnePixelOfBarPerHealthPoint) {
    const struct {
        int32_t type;
        int32_t health;
    } cases[] = {{0, 40}, {4, 1}, {2, 0}, {7, 40}, {-1, 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " health " << c.health);
        clear();
        state.enemies = {enemyAt(600.9f, 300.0f, c.type, c.health, 10, 2)};
        enemyPass(state);
        const SDL_Rect sprite{600, 300, 50, 100};
        const bool known = c.type >= 0 && c.type < kEnemyKindCount;
        const SDL_Color shown = known ? support::kEnemyColours[c.type] : support::kBlack;
        EXPECT_EQ(countInside(shown, sprite), 50 * 100);
        const SDL_Rect bar{590, 290, c.health, 10};
        EXPECT_EQ(countInside(support::kHealthBarColour, bar), c.health * 10);
        EXPECT_EQ(countOutside(support::kHealthBarColour, bar), 0);
    }
}

}  // namespace
