#pragma once

#include "image.h"

// The five enemy kinds 0..4, each 50 x 100 with a transparent surround, growing in size and
// menace with the kind: a goblin, a skeleton, an orc brute, a horned knight and a demon lord.
inline constexpr int kEnemyKinds = 5;
Image drawEnemy(int kind);
