#include "asset_writer.h"

#include <filesystem>

#include "background.h"
#include "effect_art.h"
#include "enemy_sprites.h"
#include "hero_sprites.h"
#include "music.h"
#include "sound_effects.h"

bool writeGameAssets(const std::string& folder) {
    const auto in = [&](const std::string& file) { return folder + "/" + file; };
    bool ok = savePng(drawBackground(), in("back1.png"));
    ok = savePng(drawHero(HeroPose::Standing), in("bplayer1.png")) && ok;
    ok = savePng(drawHero(HeroPose::Blocking), in("bplayer2.png")) && ok;
    ok = savePng(drawHero(HeroPose::Attacking), in("bplayer3.png")) && ok;
    for (int kind = 0; kind < kEnemyKinds; ++kind) {
        ok = savePng(drawEnemy(kind), in("enemy" + std::to_string(kind + 1) + ".png")) && ok;
    }
    ok = savePng(drawHealthBar(), in("health1.png")) && ok;
    ok = savePng(drawExplosion(), in("explosion.png")) && ok;
    ok = writeWav(composeMusic(), in("vrask.wav")) && ok;
    ok = writeWav(composeButtonSound(), in("button.wav")) && ok;
    ok = writeWav(composeEnemyDeathSound(), in("enemydeath.wav")) && ok;
    ok = writeWav(composeVraskSound(), in("vrasksound.wav")) && ok;
    return ok;
}

bool writeBrowserAssets(const std::string& folder) {
    return writeWav(halveRate(composeMusic()), folder + "/vrask.wav", kBrowserMusicRate);
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
