#pragma once

#include "game/game_state.h"

// The start of a run, once the assets are in `state.assets`: the standing pose, the three
// buttons, and the player at the shipped map's mark with the start statistics, where it stays
// when the map has no mark of its own. The other start values are GameState's initialisers.
void prepareGame(GameState& state);
