#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <vector>

#include "game/owned.h"
#include "world/enemy_waves.h"

// Every picture, sound and the font, as the frame steps use them: borrowed handles, plain data
// that the game state carries. A file that cannot be loaded leaves a null handle; the libraries
// refuse null handles, so the game simply goes on without that picture or sound.
struct AssetSet {
    TTF_Font* font = nullptr;
    Mix_Music* music = nullptr;
    SDL_Texture* playerStanding = nullptr;  // at start and after a Vrask
    SDL_Texture* playerBlocking = nullptr;
    SDL_Texture* playerAttacking = nullptr;
    SDL_Texture* background = nullptr;
    SDL_Texture* enemySprites[kEnemyKindCount] = {};  // by enemy kind
    SDL_Texture* healthBar = nullptr;
    SDL_Texture* explosion = nullptr;
    Mix_Chunk* enemyDeathSound = nullptr;
    Mix_Chunk* buttonSound = nullptr;
    Mix_Chunk* vraskSound = nullptr;
};

// The owners of what loadAssets made. Dropping them frees it all; the textures must go before
// the renderer, the rest while their libraries are still up.
struct AssetOwners {
    Owned<Mix_Music> music;
    Owned<TTF_Font> font;
    std::vector<Owned<SDL_Texture>> textures;
    std::vector<Owned<Mix_Chunk>> sounds;
};

// Loads the music, the font, the eleven textures and the three sounds, in that order, from the
// working directory into `owners`, and returns them as a set. Needs the program-wide renderer.
AssetSet loadAssets(AssetOwners& owners);

// Plays a sound once on the first free mixer channel; a null or unplayable sound is silent.
void playSound(Mix_Chunk* sound);
