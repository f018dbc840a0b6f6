#pragma once

#include <SDL.h>

// The only state the game keeps outside the entry point. Zero until start-up sets them; the
// entry point owns what they point to.

// The renderer of the game window; every drawing step draws with it.
extern SDL_Renderer* renderer;
// The player has asked to close the window; set by the event drain, never cleared.
extern bool quitRequested;
// SDL's live key-state array, indexed by scancode; brought up to date by event pumping.
extern const Uint8* keyboardState;
