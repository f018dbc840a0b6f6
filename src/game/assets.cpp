#include "game/assets.h"

#include <SDL_image.h>

#include "game/globals.h"

namespace {

Owned<SDL_Texture> loadTexture(const char* file) {
    // The texture holds its own copy of the pixels; the decoded image goes at once.
    const Owned<SDL_Surface> image(IMG_Load(file));
    return Owned<SDL_Texture>(SDL_CreateTextureFromSurface(renderer, image.get()));
}

}  // namespace

AssetSet loadAssets(AssetOwners& owners) {
    const auto texture = [&owners](const char* file) {
        owners.textures.push_back(loadTexture(file));
        return owners.textures.back().get();
    };
    const auto sound = [&owners](const char* file) {
        // Opens the file as a read stream that the mixer closes itself.
        owners.sounds.emplace_back(Mix_LoadWAV(file));
        return owners.sounds.back().get();
    };
    AssetSet assets;
    owners.music.reset(Mix_LoadMUS("vrask.wav"));
    assets.music = owners.music.get();
    owners.font.reset(TTF_OpenFont("DelaGothicOne-Regular.ttf", 12));
    assets.font = owners.font.get();
    assets.playerStanding = texture("bplayer1.png");
    assets.playerBlocking = texture("bplayer2.png");
    assets.playerAttacking = texture("bplayer3.png");
    assets.background = texture("back1.png");
    assets.enemySprites[0] = texture("enemy1.png");
    assets.enemySprites[1] = texture("enemy2.png");
    assets.enemySprites[2] = texture("enemy3.png");
    assets.enemySprites[3] = texture("enemy4.png");
    assets.enemySprites[4] = texture("enemy5.png");
    assets.healthBar = texture("health1.png");
    assets.explosion = texture("explosion.png");
    assets.enemyDeathSound = sound("enemydeath.wav");
    assets.buttonSound = sound("button.wav");
    assets.vraskSound = sound("vrasksound.wav");
    return assets;
}

void playSound(Mix_Chunk* sound) {
    Mix_PlayChannelTimed(-1, sound, 0, -1);
}
