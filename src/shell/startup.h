#pragma once

#include <SDL.h>

#include <cstdint>

#include "shell/game_state.h"

// What the entry point holds besides the game state.
struct Shell {
    SDL_Window* window = nullptr;
    uint64_t previousCounter = 0;  // high-resolution counter at the start of the last frame
};

// Starts the libraries (one line on standard output for each that fails, then on), opens
// the window, loads the assets, gives the state its start values, builds the buttons, reads
// the map, prints the number of buttons and starts the music.
// Returns false, after a line saying so, when the window or the renderer cannot be made:
// without them there is no game to show.
bool startUp(Shell& shell, GameState& state);

// Releases the assets we own, then closes the libraries in order; the renderer takes its
// textures with it.
void shutDown(Shell& shell, GameState& state);
