#include "shell/frame_steps.h"

#include <SDL.h>

#include "combat/buttons.h"
#include "combat/enemy_pass.h"
#include "combat/progression.h"
#include "game/globals.h"
#include "render/effects.h"
#include "render/scene.h"
#include "world/enemy_waves.h"

namespace {

bool downArrowHeld() {
    return keyboardState != nullptr && keyboardState[SDL_SCANCODE_DOWN] != 0;
}

}  // namespace

void runFrameSteps(GameState& state, double frameDelta) {
    state.clickTimer += frameDelta;
    cycleTarget(state, downArrowHeld());
    checkLevelUp(state);  // before the HUD, so a level-up shows at once
    drawBackground(state);
    drawHud(state);
    drawPlayer(state);
    updateFloatingNumbers(state, frameDelta);  // numbers lie under the enemies
    enemyPass(state);                          // answers the previous frame's action
    updateExplosions(state, frameDelta);
    drawButtons(state);  // buttons lie over everything
    handleClick(state);
    resetAfterDeath(state);  // sees this frame's blows and this frame's action
    // A wave made by the death reset pays no Vrask.
    refillWave(state.enemies, state.player, state.vraskCount);
}
