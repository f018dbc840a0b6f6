#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "game/assets.h"
#include "game/owned.h"

// The window of the tests and the benchmark: SDL's software renderer over an 800x800 surface as
// the program-wide `renderer`, the font library, and a mixer on SDL's dummy audio driver.
struct SoftwareScreen {
    SoftwareScreen();
    ~SoftwareScreen();

    void clear();  // black, as every frame starts
    // The colour (alpha ignored) of every pixel in `area`, row by row.
    std::vector<uint32_t> pixels(SDL_Rect area);
    int count(SDL_Color colour, SDL_Rect area);  // pixels of exactly `colour` in `area`
    // The sounds playing now, one entry per busy mixer channel.
    std::vector<Mix_Chunk*> playing() const;

    // The game's own files, read by the game's loader from the asset folder.
    AssetSet realAssets();
    // The same with one-colour pictures (the colours below): what was drawn where shows by colour.
    AssetSet standInAssets();

    Owned<SDL_Surface> surface;
    Owned<SDL_Renderer> drawer;
    AssetOwners owners;
};

inline constexpr SDL_Rect kWindow{0, 0, 800, 800};
inline constexpr SDL_Color kStandingColour{0, 120, 0, 255};
inline constexpr SDL_Color kEnemyColours[kEnemyKindCount] = {
    {90, 10, 10, 255}, {90, 20, 20, 255}, {90, 30, 30, 255}, {90, 40, 40, 255}, {90, 50, 50, 255},
};
inline constexpr SDL_Color kHealthBarColour{200, 100, 0, 255};
inline constexpr SDL_Color kExplosionColour{200, 0, 200, 255};
inline constexpr SDL_Color kBlack{0, 0, 0, 255};
