#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

// A short-lived mark: a floating number (red for an enemy's blow, green for the player's
// attack power) or an explosion where an enemy died. Only `age` changes during its life.
struct Effect {
    SDL_Rect rect{};         // where it is drawn, stretched to fit
    std::string text;        // the number's text; "NULL" for an explosion, never drawn
    double age = 0.0;        // seconds since it was made
    int32_t fromPlayer = 0;  // a floating number: 0 red, anything else green
};
