#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "shell/startup.h"

// Seconds between two readings of the high-resolution counter, fractions of a millisecond
// included. The difference wraps like the counter does.
double frameDeltaSeconds(uint64_t previousCounter, uint64_t now, uint64_t frequency);

// One whole frame: measure, drain the events, clear, pump, the frame steps, present.
void runFrame(Shell& shell, GameState& state);

// Runs frames until the window is closed. The quit request is acted on after a whole frame.
void runFrameLoop(Shell& shell, GameState& state);
