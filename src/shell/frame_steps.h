#pragma once

#include "game/game_state.h"

// The game's part of one frame: `clickTimer` grows by `frameDelta` seconds, then every frame
// step runs once, in the one order that the layering and the turns rely on. The Down arrow is
// read from `keyboardState` here and handed to the target choice.
void runFrameSteps(GameState& state, double frameDelta);
