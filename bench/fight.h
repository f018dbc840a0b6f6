#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "game/game_state.h"

// What the benchmarks draw: one frame of a typical fight, three ways. Everything here runs on
// SDL's software renderer over an 800x800 surface (no window, no SDL_Init), set as the
// program-wide `renderer`, with the game's real pictures and font.
namespace bench {

// Opens the software screen that the tests draw on too, with the real assets loaded from
// BRANNOCH_ASSET_DIR (the working directory becomes that folder, as for the game) and SDL's
// dummy audio device. Returns false, with a line on stderr, on failure.
bool openScreen(AssetSet& assets);
void closeScreen(AssetSet& assets);

// The fight, as the game's own records: a level-7 player after an attack, three enemies with
// health left, three red numbers and a green one, one explosion and the three buttons. Nothing
// is due: the enemies have answered, the click timer is at 0 and no effect has aged.
GameState makeFightState(const AssetSet& assets);

// One frame each. Not inlined, so that a profiler can count each on its own.
// The background alone: draw colour, clear, background, present.
void bareFrame(const AssetSet& assets);
// The library calls the fight's frame makes, written out by hand: no game code at all.
void floorFrame(const AssetSet& assets);
// The same frame through the game: draw colour, clear, runFrameSteps(state, 0.0), present.
void fullFrame(GameState& state);

// The fields a stationary frame must leave as they were.
struct FightSummary {
    int32_t health, level, attack, experience, vraskCount;
    size_t enemies, floatingNumbers, explosions;
    int64_t enemyHealthSum;
    double effectAgeSum, clickTimer;
    bool enemiesAnswered;
    SDL_Texture* pose;
    bool operator==(const FightSummary& other) const;
    bool operator!=(const FightSummary& other) const { return !(*this == other); }
};
FightSummary summarize(const GameState& state);

// The window's pixels as the renderer has left them (after a present).
std::vector<Uint32> framePixels();

}  // namespace bench
