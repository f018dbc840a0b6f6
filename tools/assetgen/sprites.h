#pragma once

#include "image.h"

// The hero's three poses, each drawn for the 50 x 100 place where the game shows the player.
enum class HeroPose { Standing, Blocking, Attacking };
Image drawHero(HeroPose pose);

// The five enemy kinds 0..4, each 50 x 100 with a transparent surround, growing in size and
// menace with the kind: a goblin, a skeleton, an orc brute, a horned knight and a demon lord.
inline constexpr int kEnemyKinds = 5;
Image drawEnemy(int kind);

// Every figure is drawn with cells of 2 x 2 pixels: a 25 x 50 grid fills the 50 x 100 place.
inline constexpr int kSpriteCell = 2;
inline constexpr int kSpriteWidth = 50;
inline constexpr int kSpriteHeight = 100;
