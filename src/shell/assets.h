#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include "world/enemy_waves.h"

// Every picture, sound and the font, loaded once at start-up from the working directory.
// A file that cannot be loaded leaves a null handle; the libraries refuse null handles, so
// the game simply goes on without that picture or sound.
// The textures belong to the renderer and go with it; the rest is released at shutdown.
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

// Loads the music, the font, the eleven textures and the three sounds, in that order.
// Needs the program-wide renderer.
AssetSet loadAssets();

// Frees the font, the music and the sounds. Call while their libraries are still up.
void releaseAssets(AssetSet& assets);

// Plays a sound once on the first free mixer channel; a null or unplayable sound is silent.
void playSound(Mix_Chunk* sound);
