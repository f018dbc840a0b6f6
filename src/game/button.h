#pragma once

#include <cstdint>
#include <string>

#include "world/entity.h"

// What a button does to the player and the target enemy.
using ButtonAction = void (*)(Entity& player, Entity& target);

// An on-screen button. The first four fields have the layout of an SDL_Rect.
struct Button {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    std::string label;
    ButtonAction action = nullptr;
};
