#include "test_support.h"

#include <cstdlib>

#include "combat/buttons.h"

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
    for (int kind = 0; kind < kEnemyKindCount; ++kind) {
        assets.enemySprites[kind] = solidTexture(kEnemyColours[kind]);
    }
    assets.healthBar = solidTexture(kHealthBarColour);
    assets.explosion = solidTexture(kExplosionColour);

    // The start values, as start-up leaves them with the shipped map.
    state.player.x = 200.0f;
    state.player.y = 240.0f;
    state.player.health = 100;
    state.player.level = 1;
    state.player.attack = 5;
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

Uint32 Screen::rgbAt(int x, int y) {
    const auto* pixels = static_cast<const Uint32*>(surface_->pixels);
    return pixels[y * (surface_->pitch / 4) + x] & 0x00FFFFFFu;
}

int Screen::countInside(SDL_Color colour, SDL_Rect area) {
    const SDL_Rect window{0, 0, 800, 800};
    SDL_Rect rect{};
    if (!SDL_IntersectRect(&area, &window, &rect)) return 0;
    SDL_RenderFlush(renderer);
    const Uint32 wanted = SDL_MapRGB(surface_->format, colour.r, colour.g, colour.b) & 0x00FFFFFFu;
    int count = 0;
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        for (int x = rect.x; x < rect.x + rect.w; ++x) count += rgbAt(x, y) == wanted;
    }
    return count;
}

int Screen::countOutside(SDL_Color colour, SDL_Rect rect) {
    const SDL_Rect window{0, 0, 800, 800};
    return countInside(colour, window) - countInside(colour, rect);
}

std::vector<Uint32> Screen::snapshot(SDL_Rect rect) {
    SDL_RenderFlush(renderer);
    std::vector<Uint32> pixels;
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        for (int x = rect.x; x < rect.x + rect.w; ++x) pixels.push_back(rgbAt(x, y));
    }
    return pixels;
}

Entity enemyAt(float x, float y, int32_t type, int32_t health, int32_t attack, int32_t level) {
    Entity enemy;
    enemy.x = x;
    enemy.y = y;
    enemy.w = 50;
    enemy.h = 100;
    enemy.type = type;
    enemy.health = health;
    enemy.attack = attack;
    enemy.level = level;
    enemy.spawned = 1;
    return enemy;
}

}  // namespace support
