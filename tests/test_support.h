#pragma once

#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "shell/game_state.h"
#include "shell/globals.h"

namespace support {

// The next `count` values of rand() after srand(seed): what a step seeded the same way will draw.
std::vector<int> drawsAfter(unsigned seed, int count);

// The first seed whose next draws give, in order, each pair's remainder (second) modulo its
// divisor (first): seedGiving({{100, 51}}) makes the next rand() % 100 equal 51.
unsigned seedGiving(std::initializer_list<std::pair<int, int>> remainders);

// A key-state array in place of SDL's, installed as `keyboardState` for the object's lifetime.
struct FakeKeyboard {
    FakeKeyboard() { keyboardState = keys; }
    ~FakeKeyboard() { keyboardState = nullptr; }
    Uint8 keys[SDL_NUM_SCANCODES] = {};
};

// Opaque colours of the stand-in pictures, each unlike the text colours and black.
inline constexpr SDL_Color kBackgroundColour{0, 0, 160, 255};
inline constexpr SDL_Color kStandingColour{0, 120, 0, 255};
inline constexpr SDL_Color kBlockingColour{0, 120, 120, 255};
inline constexpr SDL_Color kAttackingColour{120, 120, 0, 255};
inline constexpr SDL_Color kEnemyColours[kEnemyKindCount] = {
    {90, 10, 10, 255}, {90, 20, 20, 255}, {90, 30, 30, 255}, {90, 40, 40, 255}, {90, 50, 50, 255},
};
inline constexpr SDL_Color kHealthBarColour{200, 100, 0, 255};
inline constexpr SDL_Color kExplosionColour{200, 0, 200, 255};
inline constexpr SDL_Color kBlack{0, 0, 0, 255};
inline constexpr SDL_Rect kWindow{0, 0, 800, 800};

// The program-wide renderer is SDL's software renderer over an 800x800 surface, cleared to
// black; `state` holds the start values, the three buttons and an asset set of one-colour
// textures and the real font (sounds stay null, so they are silently refused).
class Screen : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void clear();
    // Pixels of exactly `colour` (alpha ignored) inside `rect`, and in the rest of the window.
    int countInside(SDL_Color colour, SDL_Rect rect);
    int countOutside(SDL_Color colour, SDL_Rect rect);
    // The pixels of `rect`, row by row, for comparing two drawings of the same box.
    std::vector<Uint32> snapshot(SDL_Rect rect);

    GameState state;

  private:
    SDL_Texture* solidTexture(SDL_Color colour);
    SDL_Surface* surface_ = nullptr;
};

// The same enemy record spawnWave makes, placed and typed by hand.
Entity enemyAt(float x, float y, int32_t type, int32_t health, int32_t attack, int32_t level);

}  // namespace support
