#include "combat/progression.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "combat/buttons.h"
#include "combat/enemy_pass.h"
#include "shell/game_state.h"
#include "test_support.h"
#include "world/statistics.h"

namespace {

using support::drawsAfter;
using support::enemyAt;

class Progression : public support::Screen {};

TEST_F(Progression, DownArrowMovesTheSelectionEveryFrameItIsHeld) {
    support::FakeKeyboard keyboard;
    state.enemies.assign(3, enemyAt(600.0f, 300.0f, 0, 50, 10, 2));
    cycleTarget(state);
    EXPECT_EQ(state.selectedTarget, 0u);  // key up

    keyboard.keys[SDL_SCANCODE_DOWN] = 1;
    for (const uint32_t expected : {1u, 2u, 0u, 1u}) {
        cycleTarget(state);
        EXPECT_EQ(state.selectedTarget, expected);
    }
    // With no enemies the selection just grows.
    state.enemies.clear();
    for (const uint32_t expected : {2u, 3u, 4u}) {
        cycleTarget(state);
        EXPECT_EQ(state.selectedTarget, expected);
    }
    keyboard.keys[SDL_SCANCODE_DOWN] = 0;
    keyboard.keys[SDL_SCANCODE_UP] = 1;
    cycleTarget(state);
    EXPECT_EQ(state.selectedTarget, 4u);
}

TEST_F(Progression, AtMostOneLevelPerFrame) {
    const struct {
        int32_t experience;
        int32_t needed;
        std::vector<std::pair<int32_t, int32_t>> afterEachFrame;  // experience, needed
    } cases[] = {
        {25, 10, {{15, 20}, {15, 20}}},
        {100, 10, {{90, 20}, {70, 30}, {40, 40}, {0, 50}, {0, 50}}},
        {9, 10, {{9, 10}}},
        {40, 40, {{0, 50}}},  // a player who died at level 4 keeps needing 40
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.experience << "/" << c.needed);
        state.player.level = 1;
        state.player.attack = 5;
        state.player.experience = c.experience;
        state.experienceNeeded = c.needed;
        int32_t levels = 0;
        for (const auto& [experience, needed] : c.afterEachFrame) {
            if (state.experienceNeeded != needed) ++levels;
            checkLevelUp(state);
            EXPECT_EQ(state.player.experience, experience);
            EXPECT_EQ(state.experienceNeeded, needed);
            EXPECT_EQ(state.player.level, 1 + levels);
            EXPECT_EQ(state.player.attack, 5 + 5 * levels);
        }
    }
}

TEST_F(Progression, FinishActionByButton) {
    SDL_Texture* const before = state.assets.playerBlocking;
    const struct {
        size_t position;
        int32_t vrask;
        SDL_Texture* pose;
        int32_t attack, health, vraskAfter;
    } cases[] = {
        {kAttackButton, 1, state.assets.playerAttacking, 5, 70, 1},
        {kBlockButton, 1, state.assets.playerBlocking, 5, 70, 1},
        {kVraskButton, 3, state.assets.playerStanding, 6, 130, 2},
        {kVraskButton, 0, before, 5, 70, 0},  // no Vrask: nothing but the number and the turn
        {kVraskButton, -2, before, 5, 70, -2},
        {7, 1, before, 5, 70, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position << " vrask " << c.vrask);
        state.player.attack = 5;
        state.player.health = 70;
        state.player.texture = before;
        state.vraskCount = c.vrask;
        state.enemiesAnswered = true;
        state.floatingNumbers.clear();
        const std::vector<int> draws = drawsAfter(5, 2);
        std::srand(5);
        finishAction(state, c.position);
        EXPECT_EQ(state.player.texture, c.pose);
        EXPECT_EQ(state.player.attack, c.attack);
        EXPECT_EQ(state.player.health, c.health);
        EXPECT_EQ(state.vraskCount, c.vraskAfter);
        EXPECT_FALSE(state.enemiesAnswered);
        ASSERT_EQ(state.floatingNumbers.size(), 1u);
        const Effect& number = state.floatingNumbers[0];
        EXPECT_EQ(number.text, "5");  // the attack power before any Vrask bonus
        EXPECT_NE(number.fromPlayer, 0);
        const SDL_Rect rect{200 + draws[0] % 550, 240 + draws[1] % 550, 30, 12};
        EXPECT_TRUE(SDL_RectEquals(&number.rect, &rect));
    }
}

TEST_F(Progression, DeathBelowZeroRestartsTheStatisticsAndTheWave) {
    for (const int32_t health : {0, -1, INT32_MIN}) {
        SCOPED_TRACE(health);
        state.player.health = health;
        state.player.level = 4;
        state.player.attack = 30;
        state.player.experience = 7;
        state.player.texture = state.assets.playerAttacking;
        state.vraskCount = 9;
        state.experienceNeeded = 40;
        state.selectedTarget = 5;
        state.enemiesAnswered = false;
        state.clickTimer = 0.03;
        state.enemies.assign(3, enemyAt(650.0f, 350.0f, 3, 5000, 550, 50));
        state.floatingNumbers.assign(2, Effect{});
        state.explosions.assign(1, Effect{});
        resetAfterDeath(state);

        const bool dead = health < 0;
        EXPECT_EQ(state.player.health, dead ? 100 : health);
        EXPECT_EQ(state.player.level, dead ? 1 : 4);
        EXPECT_EQ(state.player.attack, dead ? 5 : 30);
        EXPECT_EQ(state.player.experience, dead ? 0 : 7);
        EXPECT_EQ(state.vraskCount, dead ? 1 : 9);
        ASSERT_EQ(state.enemies.size(), dead ? 1u : 3u);
        EXPECT_EQ(state.enemies[0].type, dead ? 0 : 3);
        EXPECT_EQ(state.enemies[0].x, dead ? 600.0f : 650.0f);
        // Left alone either way.
        EXPECT_EQ(state.experienceNeeded, 40);
        EXPECT_EQ(state.selectedTarget, 5u);
        EXPECT_FALSE(state.enemiesAnswered);
        EXPECT_EQ(state.clickTimer, 0.03);
        EXPECT_EQ(state.player.texture, state.assets.playerAttacking);
        EXPECT_EQ(state.floatingNumbers.size(), 2u);
        EXPECT_EQ(state.explosions.size(), 1u);
    }
}

TEST_F(Progression, StatisticsStopAtTheIntLimitsInsteadOfWrapping) {
    // A huge health blocked stays huge: a wrap would kill the player for blocking.
    state.player.health = INT32_MAX - 2;
    state.player.attack = 5;
    Entity target = enemyAt(600.0f, 300.0f, 0, INT32_MIN + 3, 10, 2);
    blockAction(state.player, target);
    EXPECT_EQ(state.player.health, INT32_MAX);
    attackAction(state.player, target);
    EXPECT_EQ(target.health, INT32_MIN);
    state.vraskCount = 1;
    finishAction(state, kVraskButton);
    EXPECT_EQ(state.player.health, INT32_MAX);

    state.player.health = INT32_MIN + 5;
    strikePlayer(state, enemyAt(600.0f, 300.0f, 4, 1, INT32_MAX, 2));
    EXPECT_EQ(state.player.health, INT32_MIN);

    const struct {
        int32_t value, amount, sum, difference;
    } cases[] = {
        {INT32_MAX, 1, INT32_MAX, INT32_MAX - 1},
        {INT32_MIN, -1, INT32_MIN, INT32_MIN + 1},
        {INT32_MIN, INT32_MIN, INT32_MIN, 0},
        {0, INT32_MIN, INT32_MIN, INT32_MAX},
        {-7, 3, -4, -10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << ", " << c.amount);
        EXPECT_EQ(saturatingAdd(c.value, c.amount), c.sum);
        EXPECT_EQ(saturatingSub(c.value, c.amount), c.difference);
    }
}

}  // namespace
