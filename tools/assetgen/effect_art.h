#pragma once

#include "image.h"

// The enemy health bar: a few pixels wide and 10 high, shaded across its height only, since
// the game stretches it to (health) x 10 pixels, anything from 1 to 10000 wide.
inline constexpr int kHealthBarWidth = 2;
inline constexpr int kHealthBarHeight = 10;
Image drawHealthBar();

// The burst shown for a fifth of a second where an enemy falls: 50 x 50, clear corners.
inline constexpr int kExplosionSize = 50;
Image drawExplosion();

// The program's icon (the hero's shield and sword) at `size` x `size` pixels; size is one of
// 16, 32, 48, 64, 128 and 256, and 192 and 512 for the browser's web app manifest.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 192, 256, 512};
Image drawIcon(int size);
