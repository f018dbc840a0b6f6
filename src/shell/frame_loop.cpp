#include "shell/frame_loop.h"

#include <SDL.h>

#include "combat/buttons.h"
#include "combat/enemy_pass.h"
#include "combat/progression.h"
#include "render/effects.h"
#include "render/scene.h"
#include "shell/globals.h"
#include "world/enemy_waves.h"

double frameDeltaSeconds(uint64_t previousCounter, uint64_t now, uint64_t frequency) {
    const uint64_t elapsedThousandths = (now - previousCounter) * 1000u;
    return static_cast<double>(elapsedThousandths) / static_cast<double>(frequency) * 0.001;
}

void runFrameSteps(GameState& state, double frameDelta) {
    state.clickTimer += frameDelta;
    cycleTarget(state);
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
    refillWave(state);       // a wave made by the death reset pays no Vrask
}

void runFrame(Shell& shell, GameState& state) {
    const uint64_t now = SDL_GetPerformanceCounter();
    const double frameDelta =
        frameDeltaSeconds(shell.previousCounter, now, SDL_GetPerformanceFrequency());
    shell.previousCounter = now;

    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_QUIT) quitRequested = true;
    }
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);  // also the colour of the button outlines
    SDL_RenderClear(renderer);
    SDL_PumpEvents();  // fresh keyboard and mouse state for the steps

    runFrameSteps(state, frameDelta);
    SDL_RenderPresent(renderer);
}

void runFrameLoop(Shell& shell, GameState& state) {
    while (!quitRequested) runFrame(shell, state);
}
