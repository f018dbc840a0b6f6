#include "shell/frame_loop.h"

#include <SDL.h>

#include "game/globals.h"
#include "shell/frame_steps.h"

double frameDeltaSeconds(uint64_t previousCounter, uint64_t now, uint64_t frequency) {
    const uint64_t elapsedThousandths = (now - previousCounter) * 1000u;
    return static_cast<double>(elapsedThousandths) / static_cast<double>(frequency) * 0.001;
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
