#pragma once

#include <SDL.h>

#include <cstdint>

#include "game/assets.h"
#include "game/game_state.h"
#include "game/owned.h"

// What the entry point holds besides the game state: the owners of the window, the renderer
// and the assets, and the frame clock.
struct Shell {
    Owned<SDL_Window> window;
    Owned<SDL_Renderer> renderer;  // lent to every drawing step as the program-wide `renderer`
    AssetOwners assets;            // lent to the game as `GameState::assets`
    uint64_t previousCounter = 0;  // high-resolution counter at the start of the last frame
};

// Starts the libraries (one line on standard output for each that fails, then on), opens
// the window, loads the assets, gives the state its start values, builds the buttons, reads
// the map, prints the number of buttons and starts the music.
// Returns false, after a line saying so, when the window or the renderer cannot be made:
// without them there is no game to show.
bool startUp(Shell& shell, GameState& state);

// Releases the assets and forgets every handle to them, then closes the libraries and drops the
// renderer and the window in their fixed order. The game state's lists go after, with the state.
void shutDown(Shell& shell, GameState& state);
