#include "shell/startup.h"

#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "combat/new_game.h"
#include "game/globals.h"
#include "game/layout.h"
#include "game/volume.h"
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

}  // namespace

bool startUp(Shell& shell, GameState& state) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    startLibraries();

    shell.window.reset(SDL_CreateWindow("Brannoch", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        kWindowSize, kWindowSize, SDL_WINDOW_SHOWN));
    if (shell.window == nullptr) {
        writeLine(std::string("Window could not be created: ") + SDL_GetError());
        return false;
    }
    shell.renderer.reset(SDL_CreateRenderer(shell.window.get(), -1, 0));
    renderer = shell.renderer.get();
    if (renderer == nullptr) {
        writeLine(std::string("Renderer could not be created: ") + SDL_GetError());
        return false;
    }

    state.assets = loadAssets(shell.assets);
    shell.previousCounter = SDL_GetPerformanceCounter();

    prepareGame(state);
    keyboardState = SDL_GetKeyboardState(nullptr);
    loadMap(state.tiles, state.player);
    writeLine(std::to_string(state.buttons.size()));

    Mix_VolumeMusic(kMusicVolume);
    Mix_PlayMusic(state.assets.music, -1);
    return true;
}

void shutDown(Shell& shell, GameState& state) {
    // The assets first: the textures must go before their renderer, the font and the sounds
    // while their libraries are up.
    state.assets = AssetSet{};
    state.player.texture = nullptr;  // a pose is one of the textures
    shell.assets = AssetOwners{};
    TTF_Quit();
    Mix_Quit();
    renderer = nullptr;
    shell.renderer.reset();
    shell.window.reset();
    SDL_Quit();
}
