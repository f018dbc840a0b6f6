#include "fight.h"

#include <SDL_ttf.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "combat/buttons.h"
#include "game/effect.h"
#include "game/globals.h"
#include "game/layout.h"
#include "render/text.h"
#include "shell/frame_steps.h"
#include "software_screen.h"

namespace bench {

namespace {

std::optional<SoftwareScreen> screen;

// The fight, as plain numbers. makeFightState turns them into the game's records; floorFrame
// draws them directly. framePixels() of the two frames must agree (checked by the benchmark).
constexpr int32_t kHealth = 87;
constexpr int32_t kLevel = 7;
constexpr int32_t kAttack = 35;
constexpr int32_t kVrask = 3;

struct HudItem {
    const char* text;
    SDL_Rect rect;
};
// In the HUD's order: labels with the four values above as text.
constexpr HudItem kHud[8] = {
    {"Health:", kHealthRow.label},       {"87", kHealthRow.value},
    {"Level:", kLevelRow.label},         {"7", kLevelRow.value},
    {"Attack Power:", kAttackRow.label}, {"35", kAttackRow.value},
    {"Vrask:", kVraskRow.label},         {"3", kVraskRow.value},
};

struct FightEnemy {
    int x, y, type, health, attack, level;
};
// A level-7 wave: kinds 0 and 1 on the wave's diagonal, each hurt.
constexpr FightEnemy kEnemies[3] = {
    {600, 300, 0, 35, 10, 2},
    {650, 350, 1, 640, 25, 10},
    {700, 400, 0, 50, 10, 2},
};

struct FightNumber {
    SDL_Rect rect;
    int32_t value;
    const char* text;
    bool fromPlayer;
};
// The blows of the last answer in red and the player's attack power in green, placed as
// makeFloatingNumber places them (inside the 550-pixel square from the player's (200, 240)).
constexpr FightNumber kNumbers[4] = {
    {{512, 403, 30, 12}, 10, "10", false},
    {{260, 655, 30, 12}, 25, "25", false},
    {{377, 288, 30, 12}, 10, "10", false},
    {{615, 517, 30, 12}, 35, "35", true},
};

constexpr SDL_Rect kExplosion{600, 250, 50, 50};

// The game's three buttons, as makeButtons lays them out.
const std::vector<Button> kButtons = [] {
    std::vector<Button> buttons;
    makeButtons(buttons);
    return buttons;
}();

// The five calls every text costs.
inline void text(TTF_Font* font, const char* characters, SDL_Color colour, const SDL_Rect& rect) {
    SDL_Surface* image = TTF_RenderText_Solid(font, characters, colour);
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, image);
    SDL_RenderCopy(renderer, texture, nullptr, &rect);
    SDL_FreeSurface(image);
    SDL_DestroyTexture(texture);
}

}  // namespace

bool openScreen(AssetSet& assets) {
    screen.emplace();
    assets = screen->realAssets();
    if (renderer == nullptr || assets.font == nullptr || assets.background == nullptr ||
        assets.healthBar == nullptr || assets.explosion == nullptr ||
        assets.playerAttacking == nullptr || assets.enemySprites[0] == nullptr ||
        assets.enemySprites[1] == nullptr) {
        std::fprintf(stderr, "the screen or the assets in %s did not load\n", BRANNOCH_ASSET_DIR);
        return false;
    }
    return true;
}

void closeScreen(AssetSet& assets) {
    assets = AssetSet{};
    screen.reset();
}

GameState makeFightState(const AssetSet& assets) {
    GameState state;
    state.assets = assets;
    Entity& player = state.player;
    player.x = 200.0f;
    player.y = 240.0f;
    player.w = 10;
    player.h = 10;
    player.health = kHealth;
    player.level = kLevel;
    player.attack = kAttack;
    player.experience = 12;
    player.texture = assets.playerAttacking;
    state.experienceNeeded = 70;
    state.vraskCount = kVrask;
    for (const FightEnemy& from : kEnemies) {
        Entity enemy;
        enemy.x = static_cast<float>(from.x);
        enemy.y = static_cast<float>(from.y);
        enemy.w = kEnemyWidth;
        enemy.h = kEnemyHeight;
        enemy.type = from.type;
        enemy.health = from.health;
        enemy.attack = from.attack;
        enemy.level = from.level;
        enemy.spawned = 1;
        state.enemies.push_back(enemy);
    }
    for (const FightNumber& from : kNumbers) {
        Effect number;
        number.rect = from.rect;
        number.text = std::to_string(from.value);
        number.fromPlayer = from.fromPlayer ? 1 : 0;
        state.floatingNumbers.push_back(number);
    }
    Effect explosion;
    explosion.rect = kExplosion;
    explosion.text = "NULL";
    state.explosions.push_back(explosion);
    makeButtons(state.buttons);
    state.selectedTarget = 1;
    state.enemiesAnswered = true;
    state.clickTimer = 0.0;
    return state;
}

__attribute__((noinline)) void bareFrame(const AssetSet& assets) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, assets.background, nullptr, &kWindowRect);
    SDL_RenderPresent(renderer);
}

__attribute__((noinline)) void floorFrame(const AssetSet& assets) {
    TTF_Font* font = assets.font;
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, assets.background, nullptr, &kWindowRect);
    for (const HudItem& item : kHud) text(font, item.text, kPaleYellow, item.rect);
    SDL_RenderCopy(renderer, assets.playerAttacking, nullptr, &kPlayerRect);
    for (const FightNumber& number : kNumbers) {
        text(font, number.text, number.fromPlayer ? kGreen : kRed, number.rect);
    }
    for (const FightEnemy& enemy : kEnemies) {
        const SDL_Rect sprite{enemy.x, enemy.y, kEnemyWidth, kEnemyHeight};
        SDL_RenderCopy(renderer, assets.enemySprites[enemy.type], nullptr, &sprite);
        const SDL_Rect bar{enemy.x - 10, enemy.y - 10, enemy.health, 10};
        SDL_RenderCopy(renderer, assets.healthBar, nullptr, &bar);
    }
    SDL_RenderCopy(renderer, assets.explosion, nullptr, &kExplosion);
    for (const Button& button : kButtons) {
        const SDL_Rect rect{button.x, button.y, button.w, button.h};
        SDL_RenderDrawRect(renderer, &rect);
        text(font, button.label.c_str(), kPaleYellow, rect);
    }
    SDL_RenderPresent(renderer);
}

__attribute__((noinline)) void fullFrame(GameState& state) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
    runFrameSteps(state, 0.0);
    SDL_RenderPresent(renderer);
}

bool FightSummary::operator==(const FightSummary& o) const {
    return health == o.health && level == o.level && attack == o.attack &&
           experience == o.experience && vraskCount == o.vraskCount && enemies == o.enemies &&
           floatingNumbers == o.floatingNumbers && explosions == o.explosions &&
           enemyHealthSum == o.enemyHealthSum && effectAgeSum == o.effectAgeSum &&
           clickTimer == o.clickTimer && enemiesAnswered == o.enemiesAnswered && pose == o.pose;
}

FightSummary summarize(const GameState& state) {
    FightSummary summary{};
    summary.health = state.player.health;
    summary.level = state.player.level;
    summary.attack = state.player.attack;
    summary.experience = state.player.experience;
    summary.vraskCount = state.vraskCount;
    summary.enemies = state.enemies.size();
    summary.floatingNumbers = state.floatingNumbers.size();
    summary.explosions = state.explosions.size();
    for (const Entity& enemy : state.enemies) summary.enemyHealthSum += enemy.health;
    for (const Effect& effect : state.floatingNumbers) summary.effectAgeSum += effect.age;
    for (const Effect& effect : state.explosions) summary.effectAgeSum += effect.age;
    summary.clickTimer = state.clickTimer;
    summary.enemiesAnswered = state.enemiesAnswered;
    summary.pose = state.player.texture;
    return summary;
}

std::vector<Uint32> framePixels() {
    return screen->pixels(kWindow);
}

}  // namespace bench
