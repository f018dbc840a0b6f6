#include "game/assets.h"

#include <SDL_image.h>

#include "game/asset_files.h"
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
    owners.music.reset(Mix_LoadMUS(kMusicFile));
    assets.music = owners.music.get();
    owners.font.reset(TTF_OpenFont(kFontFile, 12));
    assets.font = owners.font.get();
    assets.playerStanding = texture(kPlayerStandingFile);
    assets.playerBlocking = texture(kPlayerBlockingFile);
    assets.playerAttacking = texture(kPlayerAttackingFile);
    assets.background = texture(kBackgroundFile);
    for (int kind = 0; kind < kEnemyKindCount; ++kind) {
        assets.enemySprites[kind] = texture(kEnemySpriteFiles[kind]);
    }
    assets.healthBar = texture(kHealthBarFile);
    assets.explosion = texture(kExplosionFile);
    assets.enemyDeathSound = sound(kEnemyDeathSoundFile);
    assets.buttonSound = sound(kButtonSoundFile);
    assets.vraskSound = sound(kVraskSoundFile);
    return assets;
}

void playSound(Mix_Chunk* sound) {
    Mix_PlayChannelTimed(-1, sound, 0, -1);
}
