// One frame as a whole: its order decides the turns and the layers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "combat/buttons.h"
#include "game/globals.h"
#include "render/scene.h"
#include "render/text.h"
#include "shell/frame_steps.h"
#include "support/rules.h"
#include "world/map_loader.h"

namespace {

constexpr double kDelta = 0.05;  // seconds; two frames make a click interval

class Frame : public Screen {
  protected:
    void frame() { runFrameSteps(state, kDelta); }
    // The screen's `view` looks as if only the background and `text` in `box` were drawn.
    void expectAlone(const std::string& text, SDL_Rect box, SDL_Rect view) {
        const std::vector<uint32_t> shown = screen.pixels(view);
        drawBackground(state);
        drawText(state.assets.font, text, kPaleYellow, box);
        EXPECT_EQ(shown, screen.pixels(view)) << text;
    }
};

// The first wave pays a Vrask; an action is answered in the next frame only; a kill becomes a
// level a frame after the pass.
TEST_F(Frame, TurnsFollowTheOrderOfTheSteps) {
    std::srand(2);
    frame();
    EXPECT_EQ(std::make_tuple(state.enemies.size(), state.vraskCount), std::make_tuple(1u, 2));
    frame();
    std::tie(state.enemies[0].health, state.player.experience) = std::make_tuple(5, 8);
    pressButtons(state, 200, 560, SDL_BUTTON_LMASK);  // the click step of the second frame
    for (const auto& [health, experience, level] :
         {std::make_tuple(90, 10, 1), std::make_tuple(90, 0, 2)}) {
        frame();
        EXPECT_EQ(std::make_tuple(state.player.health, state.player.experience, state.player.level),
                  std::make_tuple(health, experience, level));
    }
    expectAlone("2", {150, 20, 100, 50}, {150, 20, 100, 30});  // shown in the frame that made it
}

// Its blow kills the player and it dies too: the death's own wave pays no Vrask.
TEST_F(Frame, DeathResetMakesAWaveThatPaysNoVrask) {
    state.player.health = 5;
    state.enemies = {enemyAt(600.0f, 300.0f, 1, 0, 25, 10)};
    state.enemiesAnswered = false;
    const std::vector<int> draws = drawsAfter(3, 5);
    std::srand(3);
    frame();
    EXPECT_EQ(std::rand(), draws[4]);  // strike x and y, the death roll, one wave size
    EXPECT_EQ(std::make_tuple(state.player.health, state.vraskCount, state.enemies.at(0).type,
                              state.explosions.size()),
              std::make_tuple(100, 1, 0, 1u));
}

// Held Down: one enemy on each frame, wrapping; with none the selection just grows. Rows: Down
// held, enemies, selection after the frame.
TEST_F(Frame, DownArrowHeldMovesTheSelectionOncePerFrame) {
    const std::tuple<Uint8, size_t, uint32_t> frames[] = {
        {0, 3, 0}, {1, 3, 1}, {1, 3, 2}, {1, 3, 0}, {1, 3, 1}, {1, 0, 2}, {1, 0, 3}, {0, 0, 3}};
    for (const auto& [down, enemies, selection] : frames) {
        keys[SDL_SCANCODE_DOWN] = down;
        state.enemies.assign(enemies, enemyAt(600.0f, 300.0f, 0, 50, 10, 2));
        runFrameSteps(state, 0.0);
        state.enemies.clear();  // the frame's refill made a wave where there was none
        EXPECT_EQ(state.selectedTarget, selection);
    }
}

// Background, HUD, player, numbers, enemies, explosions, buttons, each over the one before.
TEST_F(Frame, LayersFromBackgroundToButtons) {
    // A dying enemy whose explosion reaches into "Attack", a live one over a red number.
    state.enemies = {enemyAt(220.0f, 520.0f, 0, 0, 10, 2), enemyAt(600.0f, 300.0f, 1, 50, 25, 10)};
    state.floatingNumbers = {Effect{{610, 340, 30, 12}, "77", 0.0, 0}};
    std::srand(4);
    frame();
    EXPECT_EQ(screen.count(kExplosionColour, {220, 520, 50, 30}), 50 * 30);
    EXPECT_GT(screen.count(kPaleYellow, {220, 550, 50, 20}), 0);  // the label on top
    EXPECT_GT(screen.count(kBlack, {220, 550, 50, 1}), 0);        // the outline on top
    EXPECT_EQ(screen.count(kRed, kWindow), 0);                    // the number lies under the enemy
    EXPECT_EQ(screen.count(kStandingColour, {300, 300, 50, 100}), 50 * 100);
    EXPECT_EQ(countOutside(kStandingColour, {300, 300, 50, 100}), 0);
    int outlines = 0, yellow = screen.count(kPaleYellow, {50, 20, 450, 130});  // the HUD
    for (const Button& b : state.buttons) {
        const int outline = screen.count(kBlack, {b.x, b.y, b.w, b.h}) -
                            screen.count(kBlack, {b.x + 1, b.y + 1, b.w - 2, b.h - 2});
        EXPECT_GT(outline, 0) << b.label;
        outlines += outline;
        yellow += screen.count(kPaleYellow, {b.x, b.y, b.w, b.h});
    }
    EXPECT_EQ(screen.count(kBlack, kWindow), outlines);
    EXPECT_EQ(screen.count(kPaleYellow, kWindow), yellow);
}

// Each HUD and button text looks as drawn alone in its box. Rows: text, box, the part compared
// (the level and attack-power rows overlap in 20 rows; an outline lies around each label).
TEST_F(Frame, EachTextLooksAsDrawnAloneInItsBox) {
    std::tie(state.player.health, state.player.attack, state.vraskCount) =
        std::make_tuple(INT32_MIN, INT32_MAX, 0);
    const std::tuple<const char*, SDL_Rect, SDL_Rect> items[] = {
        {"Health:", {300, 20, 100, 50}, {300, 20, 100, 50}},
        {"-2147483648", {400, 20, 100, 50}, {400, 20, 100, 50}},
        {"Level:", {50, 20, 100, 50}, {50, 20, 100, 30}},
        {"1", {150, 20, 100, 50}, {150, 20, 100, 30}},
        {"Attack Power:", {50, 50, 100, 50}, {50, 70, 100, 30}},
        {"2147483647", {150, 50, 100, 50}, {150, 70, 100, 30}},
        {"Vrask:", {50, 100, 100, 50}, {50, 100, 100, 50}},
        {"0", {150, 100, 100, 50}, {150, 100, 100, 50}},
        {"Attack", {185, 550, 100, 50}, {186, 551, 98, 48}},
        {"Block", {350, 550, 100, 50}, {351, 551, 98, 48}},
        {"Do Vrask!", {400, 650, 100, 50}, {401, 651, 98, 48}}};
    for (const auto& [text, box, view] : items) {
        drawBackground(state);
        drawHud(state);
        drawButtons(state);
        expectAlone(text, box, view);
    }
}

// Start-up's values: the player stays at the shipped map's cell when a map has no mark.
TEST_F(Frame, StartValuesWithAMapWithoutMark) {
    loadMap("--#\n*$\n", state.tiles, state.player);
    const Entity& p = state.player;
    EXPECT_EQ(std::make_tuple(p.x, p.y, p.w, p.h, p.health, p.level, p.attack, p.experience),
              std::make_tuple(200.0f, 240.0f, 10, 10, 100, 1, 5, 0));
    EXPECT_EQ(
        std::make_tuple(p.texture, state.vraskCount, state.experienceNeeded, state.selectedTarget,
                        state.enemiesAnswered, state.clickTimer, state.buttons.size()),
        std::make_tuple(state.assets.playerStanding, 1, 10, 0u, true, 0.0, 3u));
}

}  // namespace
