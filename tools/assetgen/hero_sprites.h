#pragma once

#include "image.h"

// The hero's three poses, each drawn for the 50 x 100 place where the game shows the player.
enum class HeroPose { Standing, Blocking, Attacking };
Image drawHero(HeroPose pose);
