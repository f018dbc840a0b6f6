#include "combat/enemy_pass.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "game/globals.h"
#include "render/effects.h"
#include "world/statistics.h"

namespace {

constexpr int32_t kVraskDrops[kEnemyKindCount] = {1, 2, 8, 30, 50};

bool knownKind(int32_t type) {
    return static_cast<uint32_t>(type) < kEnemyKindCount;
}

void drawEnemy(const GameState& state, const Entity& enemy) {
    if (knownKind(enemy.type)) {
        const SDL_Rect sprite{toPixel(enemy.x), toPixel(enemy.y), enemy.w, enemy.h};
        SDL_RenderCopy(renderer, state.assets.enemySprites[enemy.type], nullptr, &sprite);
    }
    // One pixel per point of health, 10 pixels up and left of the sprite; nothing at 0 or below.
    const SDL_Rect bar{toPixel(enemy.x - 10.0f), toPixel(enemy.y - 10.0f),
                       std::max<int32_t>(enemy.health, 0), 10};
    SDL_RenderCopy(renderer, state.assets.healthBar, nullptr, &bar);
}

// Vrask a dying enemy of `type` may leave; 0 for a type outside 0..4.
int32_t vraskDrop(int32_t type) {
    return knownKind(type) ? kVraskDrops[type] : 0;
}

}  // namespace

void strikePlayer(GameState& state, const Entity& enemy) {
    state.player.health = saturatingSub(state.player.health, enemy.attack);
    state.floatingNumbers.push_back(makeFloatingNumber(state.player, enemy.attack, 0));
}

void rewardDefeat(GameState& state, const Entity& enemy) {
    if (std::rand() % 100 > 50) {
        state.vraskCount = saturatingAdd(state.vraskCount, vraskDrop(enemy.type));
    }
    state.explosions.push_back(makeExplosion(enemy));
    state.player.experience = saturatingAdd(state.player.experience, enemy.level);
    playSound(state.assets.enemyDeathSound);
}

void enemyPass(GameState& state) {
    for (size_t i = 0; i < state.enemies.size();) {
        const Entity& enemy = state.enemies[i];
        drawEnemy(state, enemy);
        if (!state.enemiesAnswered) strikePlayer(state, enemy);
        // Death is tested after the blow: the enemy that the last action felled strikes once more.
        if (enemy.health <= 0) {
            rewardDefeat(state, enemy);
            state.enemies.erase(state.enemies.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    state.enemiesAnswered = true;
}
