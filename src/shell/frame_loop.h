#pragma once

#include <cstdint>

#include "shell/startup.h"

// Seconds between two readings of the high-resolution counter, fractions of a millisecond
// included. The difference wraps like the counter does.
double frameDeltaSeconds(uint64_t previousCounter, uint64_t now, uint64_t frequency);

// The game's part of one frame: `clickTimer` grows by `frameDelta` seconds, then every
// frame step runs once, in the one order that the layering and the turns rely on.
void runFrameSteps(GameState& state, double frameDelta);

// One whole frame: measure, drain the events, clear, pump, the frame steps, present.
void runFrame(Shell& shell, GameState& state);

// Runs frames until the window is closed. The quit request is acted on after a whole frame.
void runFrameLoop(Shell& shell, GameState& state);
