#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <string>

// The game's three text colours. The alpha byte is 0; the font's solid mode draws them opaque.
inline constexpr SDL_Color kPaleYellow{255, 255, 100, 0};  // HUD and button labels
inline constexpr SDL_Color kRed{255, 0, 50, 0};            // an enemy's blow
inline constexpr SDL_Color kGreen{0, 255, 50, 0};          // the player's attack power

// Draws `text` with the program-wide renderer, rendered afresh at the font's own size and
// stretched to fill `rect` exactly. Keeps nothing: the image and texture die before it returns.
void drawText(TTF_Font* font, const std::string& text, SDL_Color colour, SDL_Rect rect);

// Plain decimal text of a number: "0", "-7", "-2147483648"; no grouping, padding or locale.
std::string decimalText(int32_t value);
