#pragma once

#include <SDL.h>

// Where everything stands in the game's square window, in window pixels. The background is
// painted around these places (tools/assetgen), so a change here wants `make assets` too.

inline constexpr int kWindowSize = 800;
inline constexpr SDL_Rect kWindowRect{0, 0, kWindowSize, kWindowSize};

// "Attack", "Block" and "Do Vrask!", in that order. A button answers on its edges too.
inline constexpr SDL_Rect kButtonRects[3] = {
    {185, 550, 100, 50}, {350, 550, 100, 50}, {400, 650, 100, 50}};

// The player's pose, whatever the map says of the player's place.
inline constexpr SDL_Rect kPlayerRect{300, 300, 50, 100};

// One HUD row: a label's box and, beside it, its value's box.
struct HudRow {
    SDL_Rect label;
    SDL_Rect value;
};
// The level row and the attack-power row overlap; the later one drawn lies on top.
inline constexpr HudRow kHealthRow{{300, 20, 100, 50}, {400, 20, 100, 50}};
inline constexpr HudRow kLevelRow{{50, 20, 100, 50}, {150, 20, 100, 50}};
inline constexpr HudRow kAttackRow{{50, 50, 100, 50}, {150, 50, 100, 50}};
inline constexpr HudRow kVraskRow{{50, 100, 100, 50}, {150, 100, 100, 50}};
