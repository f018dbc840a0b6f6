#include "combat/buttons.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/rules.h"

namespace {

class Buttons : public Screen {
  protected:
    void SetUp() override {
        Screen::SetUp();
        state.enemies = {enemyAt(600.0f, 300.0f, 0, 50, 10, 2)};
        state.clickTimer = kClickInterval;
        start_ = state;
    }
    // Which button acted on the state SetUp made: its position, or -1 for none.
    int buttonThatActed() const {
        if (state.floatingNumbers.empty()) return state.enemiesAnswered ? -1 : -2;
        if (state.enemies[0].health == 45) return 0;
        if (state.player.health == 105) return 1;
        if (state.vraskCount == 0 && state.player.attack == 6) return 2;
        return -2;  // a number without any button's effect
    }
    GameState start_;
};

// Both edges of a 100x50 button count; the left button is needed, and a tenth of a second
// since the last look. The timer restarts whenever the click is looked at, hit or miss.
TEST_F(Buttons, PointerHitsARectangleWithBothEdgesAfterATenthOfASecond) {
    constexpr uint32_t L = SDL_BUTTON_LMASK, R = SDL_BUTTON_RMASK;
    constexpr uint32_t MX = SDL_BUTTON_MMASK | SDL_BUTTON_X1MASK;
    // x, y, timer, mouse buttons, then the button that acts (-1 none) and whether it looked
    const std::tuple<int, int, double, uint32_t, int, bool> cases[] = {
        {185, 550, 0.1, L, 0, 1},     {285, 600, 0.1, L, 0, 1},  {286, 600, 0.1, L, -1, 1},
        {285, 601, 0.1, L, -1, 1},    {184, 575, 0.1, L, -1, 1}, {235, 549, 0.1, L, -1, 1},
        {350, 550, 0.1, L, 1, 1},     {450, 600, 0.1, L, 1, 1},  {400, 650, 0.1, L, 2, 1},
        {500, 700, 0.1, L, 2, 1},     {420, 620, 0.1, L, -1, 1}, {501, 700, 0.1, L, -1, 1},
        {-5, -5, 0.1, L, -1, 1},      {799, 799, 0.1, L, -1, 1}, {200, 560, 0.35, L | R, 0, 1},
        {200, 560, 0.0999, L, -1, 0}, {200, 560, 0.0, L, -1, 0}, {200, 560, 0.1, 0, -1, 0},
        {200, 560, 0.5, R, -1, 0},    {200, 560, 0.5, MX, -1, 0}};
    for (const auto& [x, y, timer, mask, button, looked] : cases) {
        SCOPED_TRACE(testing::Message() << x << ", " << y << ", " << timer << " s, " << mask);
        state = start_;
        state.clickTimer = timer;
        pressButtons(state, x, y, mask);
        EXPECT_EQ(buttonThatActed(), button);
        EXPECT_EQ(state.clickTimer, looked ? 0.0 : timer);
    }
}

// With no enemy no button acts, but the click was looked at.
TEST_F(Buttons, SelectionPastTheEndReachesTheLastEnemyAndNoEnemyNoAction) {
    // enemies, selection, the enemy struck
    const std::tuple<size_t, uint32_t, size_t> cases[] = {{3, 0, 0}, {3, 1, 1},          {3, 2, 2},
                                                          {3, 3, 2}, {3, UINT32_MAX, 2}, {0, 0, 0}};
    for (const auto& [enemies, selected, struck] : cases) {
        SCOPED_TRACE(testing::Message() << enemies << " enemies, selected " << selected);
        state = start_;
        state.enemies.assign(enemies, start_.enemies[0]);
        state.selectedTarget = selected;
        pressButtons(state, 200, 560, SDL_BUTTON_LMASK);
        for (size_t i = 0; i < enemies; ++i)
            EXPECT_EQ(state.enemies[i].health, i == struck ? 45 : 50);
        EXPECT_EQ(
            std::make_tuple(state.floatingNumbers.size(), state.enemiesAnswered, state.clickTimer),
            std::make_tuple(enemies == 0 ? 0u : 1u, enemies == 0, 0.0));
    }
}

}  // namespace
