#pragma once

#include "synth.h"

// "button.wav": the swish of a blade, a quarter of a second, for "Attack" and "Block".
Samples composeButtonSound();

// "enemydeath.wav": a falling groan over a crunch, just over half a second.
Samples composeEnemyDeathSound();

// "vrasksound.wav": a bright rising chime of bell tones, under a second.
Samples composeVraskSound();
