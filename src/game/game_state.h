#pragma once

#include <cstdint>
#include <vector>

#include "game/assets.h"
#include "game/button.h"
#include "game/effect.h"
#include "world/entity.h"

// Everything the entry point holds for the game. Every frame step takes it and returns
// nothing. The lists are declared in the order they come into being, so they are destroyed
// in the reverse order when the state goes.
struct GameState {
    Entity player;                // health, level, attack, experience and pose
    std::vector<Entity> tiles;    // read from the map, never looked at again
    std::vector<Entity> enemies;  // the current wave, at most three
    std::vector<Button> buttons;  // Attack, Block, Do Vrask!
    std::vector<Effect> floatingNumbers;
    std::vector<Effect> explosions;

    int32_t vraskCount = 1;         // Vrask held
    int32_t experienceNeeded = 10;  // experience for the next level
    uint32_t selectedTarget = 0;    // the enemy the buttons reach; may point past the end
    bool enemiesAnswered = true;    // false from a player action until the enemies strike
    double clickTimer = 0.0;        // seconds since clicks were last examined

    AssetSet assets;  // borrowed: their owners live in the entry point
};
