#include "test_support.h"

#include <algorithm>
#include <cstdlib>

#include "combat/buttons.h"
#include "world/map_loader.h"

namespace support {

std::vector<int> drawsAfter(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) draws.push_back(std::rand());
    return draws;
}

unsigned seedGiving(std::initializer_list<std::pair<int, int>> remainders) {
    for (unsigned seed = 0;; ++seed) {
        std::srand(seed);
        bool all = true;
        for (const auto& [divisor, remainder] : remainders) {
            all = all && std::rand() % divisor == remainder;
        }
        if (all) return seed;
    }
}

void Screen::SetUp() {
    state = GameState{};
    ASSERT_EQ(TTF_Init(), 0);
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, 800, 800, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(surface_, nullptr);
    renderer = SDL_CreateSoftwareRenderer(surface_);
    ASSERT_NE(renderer, nullptr);
    clear();

    AssetSet& assets = state.assets;
    assets.font = TTF_OpenFont(BRANNOCH_ASSET_DIR "/DelaGothicOne-Regular.ttf", 12);
    ASSERT_NE(assets.font, nullptr);
    assets.background = solidTexture(kBackgroundColour);
    assets.playerStanding = solidTexture(kStandingColour);
    assets.playerBlocking = solidTexture(kBlockingColour);
    assets.playerAttacking = solidTexture(kAttackingColour);
    int kind = 0;
    for (const SDL_Color colour : kEnemyColours) assets.enemySprites[kind++] = solidTexture(colour);
    assets.healthBar = solidTexture(kHealthBarColour);
    assets.explosion = solidTexture(kExplosionColour);

    // The start values, as start-up leaves them with the shipped map.
    placePlayer(state.player, 200.0f, 240.0f, 0);
    state.player.texture = assets.playerStanding;
    makeButtons(state.buttons);
}

void Screen::TearDown() {
    TTF_CloseFont(state.assets.font);
    SDL_DestroyRenderer(renderer);  // takes the textures with it
    renderer = nullptr;
    SDL_FreeSurface(surface_);
    TTF_Quit();
}

void Screen::clear() {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
}

SDL_Texture* Screen::solidTexture(SDL_Color colour) {
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, colour.r, colour.g, colour.b, 255));
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, image);
    SDL_FreeSurface(image);
    return texture;
}

std::vector<Uint32> Screen::snapshot(SDL_Rect area) {
    SDL_RenderFlush(renderer);
    std::vector<Uint32> pixels;
    SDL_Rect rect{};
    if (!SDL_IntersectRect(&area, &kWindow, &rect)) return pixels;
    const auto* row = static_cast<const Uint32*>(surface_->pixels) + rect.y * surface_->pitch / 4;
    for (int y = 0; y < rect.h; ++y, row += surface_->pitch / 4) {
        for (int x = rect.x; x < rect.x + rect.w; ++x) pixels.push_back(row[x] & 0x00FFFFFFu);
    }
    return pixels;
}

int Screen::countInside(SDL_Color colour, SDL_Rect rect) {
    const Uint32 wanted = SDL_MapRGB(surface_->format, colour.r, colour.g, colour.b) & 0x00FFFFFFu;
    const std::vector<Uint32> pixels = snapshot(rect);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), wanted));
}

int Screen::countOutside(SDL_Color colour, SDL_Rect rect) {
    return countInside(colour, kWindow) - countInside(colour, rect);
}

Entity enemyAt(float x, float y, int32_t type, int32_t health, int32_t attack, int32_t level) {
    return Entity{x, y, 50, 100, health, level, attack, {}, 1, type};
}

}  // namespace support
