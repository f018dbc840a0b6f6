#include "asset_writer.h"

#include <filesystem>

#include "background.h"
#include "effect_art.h"
#include "enemy_sprites.h"
#include "game/asset_files.h"
#include "hero_sprites.h"
#include "music.h"
#include "sound_effects.h"

bool writeGameAssets(const std::string& folder) {
    const auto in = [&](const std::string& file) { return folder + "/" + file; };
    bool ok = savePng(drawBackground(), in(kBackgroundFile));
    ok = savePng(drawHero(HeroPose::Standing), in(kPlayerStandingFile)) && ok;
    ok = savePng(drawHero(HeroPose::Blocking), in(kPlayerBlockingFile)) && ok;
    ok = savePng(drawHero(HeroPose::Attacking), in(kPlayerAttackingFile)) && ok;
    for (int kind = 0; kind < kEnemyKindCount; ++kind) {
        ok = savePng(drawEnemy(kind), in(kEnemySpriteFiles[kind])) && ok;
    }
    ok = savePng(drawHealthBar(), in(kHealthBarFile)) && ok;
    ok = savePng(drawExplosion(), in(kExplosionFile)) && ok;
    ok = writeWav(composeMusic(), in(kMusicFile)) && ok;
    ok = writeWav(composeButtonSound(), in(kButtonSoundFile)) && ok;
    ok = writeWav(composeEnemyDeathSound(), in(kEnemyDeathSoundFile)) && ok;
    ok = writeWav(composeVraskSound(), in(kVraskSoundFile)) && ok;
    return ok;
}

bool writeBrowserAssets(const std::string& folder) {
    return writeWav(halveRate(composeMusic()), folder + "/" + kMusicFile, kBrowserMusicRate);
}

std::string iconPath(int size) {
    const std::string side = std::to_string(size);
    return side + "x" + side + "/apps/brannoch.png";
}

bool writeIcons(const std::string& folder) {
    bool ok = true;
    for (const int size : kIconSizes) {
        const std::filesystem::path path = std::filesystem::path(folder) / iconPath(size);
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        ok = savePng(drawIcon(size), path.string()) && ok;
    }
    return ok;
}
