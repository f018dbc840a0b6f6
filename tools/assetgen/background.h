#pragma once

#include "image.h"

// The 800 x 800 hall behind everything: a dark stone wall with a doorway and torches, a
// flagstone floor with shadows where the hero and the enemies stand, a calm dark stretch of wall
// behind the HUD, and a bronze plate under each of the three buttons.
Image drawBackground();
