#include "shell/globals.h"

SDL_Renderer* renderer;
bool quitRequested;
const Uint8* keyboardState;
