#pragma once

#include "game/game_state.h"

// The window is repainted from nothing every frame; what is drawn later lies on top.

// The background picture over the whole window.
void drawBackground(const GameState& state);

// The eight HUD texts in pale yellow: health, level, attack power and Vrask, each label
// followed by its value, as they stand when this step runs.
void drawHud(const GameState& state);

// The player's current pose, always in the same place (kPlayerRect).
void drawPlayer(const GameState& state);

// Each button's outline in the frame's draw colour (black), then its label stretched over it.
void drawButtons(const GameState& state);
