#include "shell/startup.h"

#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "combat/buttons.h"
#include "shell/globals.h"
#include "world/map_loader.h"

namespace {

// Every line the game writes is ended and flushed at once.
void writeLine(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void startLibraries() {
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        writeLine(std::string("SDL Init failed: ") + SDL_GetError());
    }
    if (TTF_Init() != 0) writeLine(std::string("Font init failed") + SDL_GetError());
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) < 0) {
        writeLine(std::string("Error: ") + SDL_GetError());
    }
    if (IMG_Init(IMG_INIT_PNG) == 0) writeLine(std::string("Image init failed: ") + SDL_GetError());
}

// Where the player stands, with the start statistics, when the map has no player mark:
// the cell the shipped map marks.
constexpr float kFallbackPlayerX = 200.0f;
constexpr float kFallbackPlayerY = 240.0f;

}  // namespace

bool startUp(Shell& shell, GameState& state) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    startLibraries();

    shell.window = SDL_CreateWindow("Brannoch", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800,
                                    800, SDL_WINDOW_SHOWN);
    if (shell.window == nullptr) {
        writeLine(std::string("Window could not be created: ") + SDL_GetError());
        return false;
    }
    renderer = SDL_CreateRenderer(shell.window, -1, 0);
    if (renderer == nullptr) {
        writeLine(std::string("Renderer could not be created: ") + SDL_GetError());
        return false;
    }

    state.assets = loadAssets();
    shell.previousCounter = SDL_GetPerformanceCounter();

    // The rest of the start values are GameState's own initialisers.
    state.player.texture = state.assets.playerStanding;
    placePlayer(state.player, kFallbackPlayerX, kFallbackPlayerY, 0);

    makeButtons(state.buttons);
    keyboardState = SDL_GetKeyboardState(nullptr);
    loadMap(state.tiles, state.player);
    writeLine(std::to_string(state.buttons.size()));

    Mix_VolumeMusic(30);
    Mix_PlayMusic(state.assets.music, -1);
    return true;
}

void shutDown(Shell& shell, GameState& state) {
    releaseAssets(state.assets);
    TTF_Quit();
    Mix_Quit();
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    SDL_DestroyWindow(shell.window);
    shell.window = nullptr;
    SDL_Quit();
}
