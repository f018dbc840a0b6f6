#pragma once

#include "image.h"
#include "world/enemy_waves.h"

// The enemy kinds 0..4 (kEnemyKindCount of the game), each 50 x 100 with a transparent surround,
// growing in size and menace with the kind: a goblin, a skeleton, an orc brute, a horned knight and
// a demon lord.
Image drawEnemy(int kind);
