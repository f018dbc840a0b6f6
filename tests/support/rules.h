#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

#include "combat/new_game.h"
#include "game/game_state.h"
#include "game/globals.h"
#include "software_screen.h"

// The next `count` values of rand() after srand(seed): what a step seeded the same way will draw.
inline std::vector<int> drawsAfter(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> draws(static_cast<size_t>(count));
    for (int& draw : draws) draw = std::rand();
    return draws;
}

// The first seed after which rand() % divisor gives each remainder in turn: {{100, 51}} → 51.
inline unsigned seedGiving(std::initializer_list<std::pair<int, int>> remainders) {
    for (unsigned seed = 0;; ++seed) {
        std::srand(seed);
        bool all = true;
        for (const auto& [divisor, remainder] : remainders)
            all = all && std::rand() % divisor == remainder;
        if (all) return seed;
    }
}

// An enemy record as spawnWave makes it, placed and typed by hand.
inline Entity enemyAt(float x, float y, int32_t type, int32_t health, int32_t attack,
                      int32_t level) {
    return Entity{x, y, 50, 100, health, level, attack, {}, 1, type};
}

// A game as start-up leaves it, on the software screen with the stand-in pictures and sounds.
class Screen : public ::testing::Test {
  protected:
    void SetUp() override {
        state.assets = screen.standInAssets();
        prepareGame(state);
        keyboardState = keys;
    }
    // The keys live and die with the test, whether it passes or not.
    void TearDown() override { keyboardState = nullptr; }
    int countOutside(SDL_Color colour, SDL_Rect area) {  // pixels of `colour` outside `area`
        return screen.count(colour, kWindow) - screen.count(colour, area);
    }
    SoftwareScreen screen;
    GameState state;
    Uint8 keys[SDL_NUM_SCANCODES] = {};  // the keyboard the frame steps read; none held
};
