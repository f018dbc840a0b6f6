#include <gtest/gtest.h>

#include <cstdlib>

#include "combat/buttons.h"
#include "render/scene.h"
#include "render/text.h"
#include "shell/frame_loop.h"
#include "test_support.h"

namespace {

using support::enemyAt;

constexpr double kDelta = 0.05;                // seconds; two frames make a click interval
const SDL_Rect kLevelValue{150, 20, 100, 30};  // the part the attack-power row does not cover

class Frame : public support::Screen {
  protected:
    void frame() {
        clear();
        runFrameSteps(state, kDelta);
    }
    // The level box as drawHud draws it for `level`, on the same background.
    std::vector<Uint32> levelBoxShowing(int32_t level) {
        GameState shown;
        shown.assets = state.assets;
        shown.player.level = level;
        clear();
        drawBackground(shown);
        drawHud(shown);
        return snapshot(kLevelValue);
    }
};

TEST_F(Frame, FirstFrameBringsTheFirstWaveAndASecondVrask) {
    std::srand(1);
    frame();
    ASSERT_EQ(state.enemies.size(), 1u);
    EXPECT_EQ(state.enemies[0].type, 0);
    EXPECT_EQ(state.vraskCount, 2);
    frame();
    EXPECT_EQ(state.enemies.size(), 1u);
    EXPECT_EQ(state.vraskCount, 2);
    EXPECT_DOUBLE_EQ(state.clickTimer, 2 * kDelta);  // no mouse button is down in the tests
}

TEST_F(Frame, ActionIsAnsweredInTheNextFrameAndOnlyThere) {
    std::srand(2);
    frame();
    frame();
    pressButtons(state, 200, 560, SDL_BUTTON_LMASK);  // the click step of the second frame
    EXPECT_EQ(state.enemies[0].health, 45);
    EXPECT_EQ(state.player.health, 100);
    ASSERT_EQ(state.floatingNumbers.size(), 1u);  // the green one

    const int32_t healthAfter[] = {90, 90, 90};
    for (const int32_t health : healthAfter) {
        frame();
        EXPECT_EQ(state.player.health, health);
        EXPECT_TRUE(state.enemiesAnswered);
    }
    int red = 0;
    for (const Effect& number : state.floatingNumbers) red += number.fromPlayer == 0;
    EXPECT_EQ(state.floatingNumbers.size(), 2u);
    EXPECT_EQ(red, 1);
}

TEST_F(Frame, KillBecomesALevelOnlyAfterThePass) {
    const std::vector<Uint32> levelOne = levelBoxShowing(1);
    const std::vector<Uint32> levelTwo = levelBoxShowing(2);
    ASSERT_NE(levelOne, levelTwo);

    state.player.experience = 8;
    state.enemies = {enemyAt(600.0f, 300.0f, 0, 0, 10, 2), enemyAt(650.0f, 350.0f, 0, 50, 10, 2)};
    state.enemiesAnswered = false;
    frame();  // the felled enemy strikes, dies and pays 2 experience
    EXPECT_EQ(state.player.experience, 10);
    EXPECT_EQ(state.player.level, 1);
    EXPECT_EQ(snapshot(kLevelValue), levelOne);
    frame();
    EXPECT_EQ(state.player.level, 2);
    EXPECT_EQ(state.player.attack, 10);
    EXPECT_EQ(snapshot(kLevelValue), levelTwo);  // shown by the frame that found it
}

TEST_F(Frame, DeathResetMakesAWaveThatPaysNoVrask) {
    state.player.health = 5;
    state.vraskCount = 4;
    // Its blow kills the player and it dies too: the list is empty before the death test.
    state.enemies = {enemyAt(600.0f, 300.0f, 1, 0, 25, 10)};
    state.enemiesAnswered = false;
    const std::vector<int> draws = support::drawsAfter(3, 5);
    std::srand(3);
    frame();
    // Strike x and y, the death roll, one wave size: the refill made no second wave.
    EXPECT_EQ(std::rand(), draws[4]);
    EXPECT_EQ(state.player.health, 100);
    EXPECT_EQ(state.player.level, 1);
    EXPECT_EQ(state.player.experience, 0);
    EXPECT_EQ(state.vraskCount, 1);
    ASSERT_EQ(state.enemies.size(), 1u);
    EXPECT_EQ(state.enemies[0].type, 0);
    EXPECT_EQ(state.explosions.size(), 1u);  // effects outlive the reset
}

TEST_F(Frame, LayersFromBackgroundToButtons) {
    // A dying enemy whose explosion reaches into "Attack", a live one over a red number.
    state.enemies = {enemyAt(220.0f, 520.0f, 0, 0, 10, 2), enemyAt(600.0f, 300.0f, 1, 50, 25, 10)};
    state.floatingNumbers = {Effect{{610, 340, 30, 12}, "77", 0.0, 0}};
    std::srand(4);
    frame();

    const SDL_Rect blastAlone{220, 520, 50, 30};  // above the button
    const SDL_Rect blastUnderButton{220, 550, 50, 20};
    EXPECT_EQ(countInside(support::kExplosionColour, blastAlone), 50 * 30);
    EXPECT_GT(countInside(support::kExplosionColour, blastUnderButton), 0);
    EXPECT_GT(countInside(kPaleYellow, blastUnderButton), 0);
    EXPECT_GT(countInside(support::kBlack, {220, 550, 50, 1}), 0);  // the outline on top
    EXPECT_EQ(countInside(kRed, {0, 0, 800, 800}), 0);  // the number lies under the enemy

    // Pale yellow only in the HUD boxes and the buttons, some in each.
    const SDL_Rect boxes[] = {{300, 20, 100, 50},  {400, 20, 100, 50},  {50, 20, 100, 30},
                              {150, 20, 100, 30},  {50, 50, 100, 50},   {150, 50, 100, 50},
                              {50, 100, 100, 50},  {150, 100, 100, 50}, {185, 550, 100, 50},
                              {350, 550, 100, 50}, {400, 650, 100, 50}};
    int inBoxes = 0;
    for (const SDL_Rect& box : boxes) {
        SCOPED_TRACE(testing::Message() << box.x << "," << box.y);
        const int yellow = countInside(kPaleYellow, box);
        EXPECT_GT(yellow, 0);
        inBoxes += yellow;
    }
    EXPECT_EQ(countInside(kPaleYellow, {0, 0, 800, 800}), inBoxes);

    // The player's pose at its fixed place; black only on the button outlines.
    EXPECT_EQ(countInside(support::kStandingColour, {300, 300, 50, 100}), 50 * 100);
    EXPECT_EQ(countOutside(support::kStandingColour, {300, 300, 50, 100}), 0);
    int outline = 0;
    for (int b = 0; b < 3; ++b) {
        const Button& button = state.buttons[static_cast<size_t>(b)];
        const int x = button.x, y = button.y, w = button.w, h = button.h;
        const int edges = countInside(support::kBlack, {x, y, w, 1}) +
                          countInside(support::kBlack, {x, y + h - 1, w, 1}) +
                          countInside(support::kBlack, {x, y + 1, 1, h - 2}) +
                          countInside(support::kBlack, {x + w - 1, y + 1, 1, h - 2});
        EXPECT_GT(edges, 0) << button.label;
        outline += edges;
    }
    EXPECT_EQ(countInside(support::kBlack, {0, 0, 800, 800}), outline);
}

TEST(FrameDelta, SecondsFromCounterTicksWithWrapping) {
    const struct {
        uint64_t previous, now, frequency;
        double seconds;
    } cases[] = {
        {0, 1000000, 1000000, 1.0},
        {5000, 21667, 1000000, 0.016667},
        {0, 1, 1000000, 0.000001},  // a microsecond is not lost to whole milliseconds
        {0, 3, 10000000, 0.0000003},
        {UINT64_MAX - 499, 500, 1000000, 0.001},    // the counter wrapped between frames
        {0, 18446744073709552ull, 1000, 0.000384},  // ticks times 1000 wrap too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.previous << " -> " << c.now);
        EXPECT_NEAR(frameDeltaSeconds(c.previous, c.now, c.frequency), c.seconds, 1e-12);
    }
}

}  // namespace
