#pragma once

#include <cstdint>
#include <string>

#include "shell/game_state.h"
#include "world/enemy_waves.h"

// What a soak has seen, printed at the end so that a reader knows what was covered.
struct Tally {
    long deaths = 0;
    long kills = 0;
    long levelUps = 0;
    long refills = 0;
    long actions = 0;
    long vraskUses = 0;
    long downPresses = 0;
    long jumps = 0;
    long loneRolls = 0;  // frames with one kill and no death or saturation: the roll is known
    long lonePaid = 0;
    size_t largestWave = 0;
    int32_t highestLevel = 0;
    bool kindSeen[kEnemyKindCount] = {};
};

// Checks one call of runFrameSteps against the rules, worked out from `before`, the state at the
// frame's start; `downHeld` tells whether the Down arrow was held. Returns the first difference
// found, or an empty text.
std::string checkFrame(const GameState& before, const GameState& after, double frameDelta,
                       bool downHeld, Tally& tally);

// Checks one pressButtons call with the pointer at (mouseX, mouseY) and `mask` held: the left
// button, the timer at 0.1 s, a button under the pointer and an enemy to act on make the action;
// nothing else changes anything but the timer. Returns the first difference, or an empty text.
std::string checkClick(const GameState& before, const GameState& after, int mouseX, int mouseY,
                       uint32_t mask, Tally& tally);
