#include "combat/buttons.h"

#include <gtest/gtest.h>

#include "shell/game_state.h"
#include "test_support.h"

namespace {

using support::enemyAt;

class Buttons : public support::Screen {
  protected:
    void SetUp() override {
        Screen::SetUp();
        state.enemies = {enemyAt(600.0f, 300.0f, 0, 50, 10, 2)};
        state.player.texture = nullptr;  // so that every pose change shows, the standing one too
        state.clickTimer = kClickInterval;
    }
    // Which button acted on the state SetUp made: its position, or -1 for none.
    int buttonThatActed() const {
        if (state.floatingNumbers.empty()) return -1;
        if (state.enemies[0].health == 45) return 0;
        if (state.player.health == 105) return 1;
        if (state.vraskCount == 0 && state.player.attack == 6) return 2;
        return -2;  // a number without any button's effect
    }
};

TEST_F(Buttons, PointerHitsARectangleWithBothEdges) {
    const struct {
        int x, y, button;
    } cases[] = {
        {185, 550, 0},  {285, 600, 0},  {286, 600, -1}, {285, 601, -1}, {184, 575, -1},
        {235, 549, -1}, {350, 550, 1},  {450, 600, 1},  {400, 650, 2},  {500, 700, 2},
        {420, 620, -1}, {501, 700, -1}, {-5, -5, -1},   {799, 799, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        TearDown();
        SetUp();
        pressButtons(state, c.x, c.y, SDL_BUTTON_LMASK);
        EXPECT_EQ(buttonThatActed(), c.button);
        EXPECT_EQ(state.enemiesAnswered, c.button < 0);
        EXPECT_EQ(state.clickTimer, 0.0);  // hit or not
        EXPECT_LE(state.floatingNumbers.size(), 1u);
    }
}

TEST_F(Buttons, ClickIsTakenOnlyWithTheLeftButtonAfterATenthOfASecond) {
    const struct {
        double timer;
        uint32_t mask;
        bool acts;
    } cases[] = {
        {0.1, SDL_BUTTON_LMASK, true},
        {0.35, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK, true},
        {0.0999, SDL_BUTTON_LMASK, false},
        {0.0, SDL_BUTTON_LMASK, false},
        {0.1, 0, false},
        {0.5, SDL_BUTTON_RMASK, false},
        {0.5, SDL_BUTTON_MMASK | SDL_BUTTON_X1MASK, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "timer " << c.timer << " mask " << c.mask);
        TearDown();
        SetUp();
        state.clickTimer = c.timer;
        pressButtons(state, 200, 560, c.mask);
        EXPECT_EQ(buttonThatActed(), c.acts ? 0 : -1);
        EXPECT_EQ(state.clickTimer, c.acts ? 0.0 : c.timer);
    }
}

TEST_F(Buttons, NoEnemyNoActionButTheTimerRestarts) {
    for (const auto& [x, y] : {std::pair{200, 560}, {400, 560}, {450, 690}}) {
        SCOPED_TRACE(testing::Message() << "(" << x << ", " << y << ")");
        TearDown();
        SetUp();
        state.enemies.clear();
        pressButtons(state, x, y, SDL_BUTTON_LMASK);
        EXPECT_TRUE(state.floatingNumbers.empty());
        EXPECT_TRUE(state.enemiesAnswered);
        EXPECT_EQ(state.player.health, 100);
        EXPECT_EQ(state.player.attack, 5);
        EXPECT_EQ(state.vraskCount, 1);
        EXPECT_EQ(state.player.texture, nullptr);
        EXPECT_EQ(state.clickTimer, 0.0);
    }
}

TEST_F(Buttons, SelectionPastTheEndReachesTheLastEnemy) {
    const struct {
        uint32_t selected;
        size_t struck;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {UINT32_MAX, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        state.enemies.assign(3, enemyAt(600.0f, 300.0f, 0, 50, 10, 2));
        state.selectedTarget = c.selected;
        state.clickTimer = 0.2;
        pressButtons(state, 200, 560, SDL_BUTTON_LMASK);
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(state.enemies[i].health, i == c.struck ? 45 : 50);
        EXPECT_EQ(state.selectedTarget, c.selected);
    }
}

TEST_F(Buttons, HeldButtonRepeatsOnlyAsTheTimerAllows) {
    state.clickTimer = 0.0;
    int actions = 0;
    for (int frame = 0; frame < 10; ++frame) {
        state.clickTimer += 0.04;
        const size_t before = state.floatingNumbers.size();
        pressButtons(state, 450, 600, SDL_BUTTON_LMASK);  // "Block", held down
        actions += static_cast<int>(state.floatingNumbers.size() - before);
    }
    // 0.12 s, 0.24 s and 0.36 s: three takes in 0.4 s.
    EXPECT_EQ(actions, 3);
    EXPECT_EQ(state.player.health, 115);
    EXPECT_EQ(state.player.texture, state.assets.playerBlocking);
}

}  // namespace
