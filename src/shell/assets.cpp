#include "shell/assets.h"

#include <SDL_image.h>

#include "shell/globals.h"

namespace {

SDL_Texture* loadTexture(const char* file) {
    SDL_Surface* image = IMG_Load(file);
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, image);
    // The texture holds its own copy of the pixels.
    SDL_FreeSurface(image);
    return texture;
}

Mix_Chunk* loadSound(const char* file) {
    // The mixer closes the stream itself (the 1).
    return Mix_LoadWAV_RW(SDL_RWFromFile(file, "rb"), 1);
}

}  // namespace

AssetSet loadAssets() {
    AssetSet assets;
    assets.music = Mix_LoadMUS("vrask.wav");
    assets.font = TTF_OpenFont("DelaGothicOne-Regular.ttf", 12);
    assets.playerStanding = loadTexture("bplayer1.png");
    assets.playerBlocking = loadTexture("bplayer2.png");
    assets.playerAttacking = loadTexture("bplayer3.png");
    assets.background = loadTexture("back1.png");
    assets.enemySprites[0] = loadTexture("enemy1.png");
    assets.enemySprites[1] = loadTexture("enemy2.png");
    assets.enemySprites[2] = loadTexture("enemy3.png");
    assets.enemySprites[3] = loadTexture("enemy4.png");
    assets.enemySprites[4] = loadTexture("enemy5.png");
    assets.healthBar = loadTexture("health1.png");
    assets.explosion = loadTexture("explosion.png");
    assets.enemyDeathSound = loadSound("enemydeath.wav");
    assets.buttonSound = loadSound("button.wav");
    assets.vraskSound = loadSound("vrasksound.wav");
    return assets;
}

void releaseAssets(AssetSet& assets) {
    // Free* and Close* accept null handles.
    Mix_FreeChunk(assets.vraskSound);
    Mix_FreeChunk(assets.buttonSound);
    Mix_FreeChunk(assets.enemyDeathSound);
    Mix_FreeMusic(assets.music);
    TTF_CloseFont(assets.font);
    assets.vraskSound = assets.buttonSound = assets.enemyDeathSound = nullptr;
    assets.music = nullptr;
    assets.font = nullptr;
}

void playSound(Mix_Chunk* sound) {
    Mix_PlayChannelTimed(-1, sound, 0, -1);
}
