#include "combat/progression.h"

#include "render/effects.h"
#include "world/enemy_waves.h"
#include "world/statistics.h"

void cycleTarget(GameState& state, bool downHeld) {
    if (!downHeld) return;
    // Unsigned on purpose: with no enemies, count - 1 is the largest value and the selection
    // just grows.
    const uint32_t count = static_cast<uint32_t>(state.enemies.size());
    if (state.selectedTarget + 1u > count - 1u) {
        state.selectedTarget = 0;
    } else {
        ++state.selectedTarget;
    }
}

void checkLevelUp(GameState& state) {
    Entity& player = state.player;
    if (player.experience < state.experienceNeeded) return;
    player.level = saturatingAdd(player.level, 1);
    player.experience = saturatingSub(player.experience, state.experienceNeeded);
    player.attack = saturatingAdd(player.attack, 5);
    state.experienceNeeded = saturatingAdd(state.experienceNeeded, 10);
}

void finishAction(GameState& state, size_t position) {
    Entity& player = state.player;
    // The number shows the attack power after the action and before any Vrask bonus.
    state.floatingNumbers.push_back(makeFloatingNumber(player, player.attack, 1));
    switch (position) {
        case kAttackButton:
            player.texture = state.assets.playerAttacking;
            playSound(state.assets.buttonSound);
            break;
        case kBlockButton:
            player.texture = state.assets.playerBlocking;
            playSound(state.assets.buttonSound);
            break;
        case kVraskButton:
            if (state.vraskCount > 0) {
                player.attack = saturatingAdd(player.attack, 1);
                player.health = saturatingAdd(player.health, 60);
                state.vraskCount = saturatingSub(state.vraskCount, 1);
                player.texture = state.assets.playerStanding;
                playSound(state.assets.vraskSound);
            }
            break;
        default:
            break;
    }
    // Every action is answered, even a Vrask attempt with none left.
    state.enemiesAnswered = false;
}

void resetAfterDeath(GameState& state) {
    Entity& player = state.player;
    if (player.health >= 0) return;  // exactly 0 is still alive
    player.health = 100;
    player.attack = 5;
    player.level = 1;
    player.experience = 0;
    state.vraskCount = 1;
    state.enemies.clear();
    spawnWave(state.enemies, player);
}
