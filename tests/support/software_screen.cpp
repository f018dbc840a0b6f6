#include "software_screen.h"

#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "game/globals.h"

SoftwareScreen::SoftwareScreen() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_AUDIO) == 0) Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048);
    TTF_Init();
    surface.reset(SDL_CreateRGBSurfaceWithFormat(0, 800, 800, 32, SDL_PIXELFORMAT_ARGB8888));
    drawer.reset(SDL_CreateSoftwareRenderer(surface.get()));
    renderer = drawer.get();
    clear();
}

SoftwareScreen::~SoftwareScreen() {
    Mix_HaltChannel(-1);
    owners = AssetOwners{};
    renderer = nullptr;
    drawer.reset();
    TTF_Quit();
    Mix_CloseAudio();
    SDL_Quit();
}

void SoftwareScreen::clear() {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
}

std::vector<uint32_t> SoftwareScreen::pixels(SDL_Rect area) {
    SDL_RenderFlush(renderer);
    std::vector<uint32_t> colours;
    SDL_Rect rect{};
    SDL_IntersectRect(&area, &kWindow, &rect);  // leaves rect empty when they do not meet
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        const auto* row = static_cast<const uint32_t*>(surface->pixels) + y * surface->pitch / 4;
        for (int x = rect.x; x < rect.x + rect.w; ++x) colours.push_back(row[x] & 0xFFFFFFu);
    }
    return colours;
}

int SoftwareScreen::count(SDL_Color colour, SDL_Rect area) {
    const uint32_t wanted = SDL_MapRGB(surface->format, colour.r, colour.g, colour.b) & 0xFFFFFFu;
    const std::vector<uint32_t> all = pixels(area);
    return static_cast<int>(std::count(all.begin(), all.end(), wanted));
}

std::vector<Mix_Chunk*> SoftwareScreen::playing() const {
    std::vector<Mix_Chunk*> chunks;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
        if (Mix_Playing(channel) != 0) chunks.push_back(Mix_GetChunk(channel));
    }
    return chunks;
}

AssetSet SoftwareScreen::realAssets() {
    // The game finds its files by bare name in the working directory.
    if (chdir(BRANNOCH_ASSET_DIR) != 0) return {};
    return loadAssets(owners);
}

AssetSet SoftwareScreen::standInAssets() {
    AssetSet assets = realAssets();
    const auto solid = [this](SDL_Color colour) {
        const Owned<SDL_Surface> image(
            SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_ARGB8888));
        SDL_FillRect(image.get(), nullptr, SDL_MapRGB(image->format, colour.r, colour.g, colour.b));
        owners.textures.emplace_back(SDL_CreateTextureFromSurface(renderer, image.get()));
        return owners.textures.back().get();
    };
    assets.background = solid({0, 0, 160, 255});
    assets.playerStanding = solid(kStandingColour);
    assets.playerBlocking = solid({0, 120, 120, 255});
    assets.playerAttacking = solid({120, 120, 0, 255});
    for (int kind = 0; kind < kEnemyKindCount; ++kind) {
        assets.enemySprites[kind] = solid(kEnemyColours[kind]);
    }
    assets.healthBar = solid(kHealthBarColour);
    assets.explosion = solid(kExplosionColour);
    return assets;
}
