#pragma once

#include <cstdint>
#include <vector>

// The player's pose is a picture of the renderer; the world only carries the pointer.
struct SDL_Texture;

// One record for everything that has a place on the board: a map cell, the player, an enemy.
// The three uses differ only in which fields their maker fills; unset fields stay zero.
struct Entity {
    float x = 0.0f;  // left edge, window pixels
    float y = 0.0f;  // top edge, window pixels
    int32_t w = 0;
    int32_t h = 0;
    int32_t health = 0;           // an enemy at 0 or below is defeated; the player below 0 dies
    int32_t level = 0;            // for an enemy also the experience its defeat gives
    int32_t attack = 0;           // damage dealt by one blow
    std::vector<int32_t> values;  // carried along, never filled
    int32_t spawned = 0;          // 1 on every enemy a wave makes
    int32_t type = 0;             // tile kind 0..3, enemy kind 0..4, 0 for the player
    int32_t id = 0;               // running number of a map tile
    int32_t experience = 0;
    SDL_Texture* texture = nullptr;  // the player's pose; borrowed from the asset set
};

// Whole-pixel position of a coordinate, truncated toward zero. Always in range: a map line adds
// 20.0f per byte, and a float stops growing by 20 at 2^29, far below the int limit.
inline int32_t toPixel(float coordinate) {
    return static_cast<int32_t>(coordinate);
}
