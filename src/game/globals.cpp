#include "game/globals.h"

SDL_Renderer* renderer;
bool quitRequested;
const Uint8* keyboardState;
