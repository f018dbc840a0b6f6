#pragma once

#include <cstdint>
#include <vector>

#include "game/button.h"
#include "game/game_state.h"
#include "world/entity.h"

// Seconds that must pass between two looks at the mouse.
inline constexpr double kClickInterval = 0.1;

// Appends "Attack", "Block" and "Do Vrask!", in that order: the position picks what
// follows the action.
void makeButtons(std::vector<Button>& buttons);

// The target loses the player's attack power in health.
void attackAction(Entity& player, Entity& target);
// The player gains its own attack power in health; the target is not touched.
void blockAction(Entity& player, Entity& target);
// Changes nothing itself: the Vrask use happens after the action.
void vraskAction(Entity& player, Entity& target);

// Frame step: polls the mouse and hands it to `pressButtons`, which looks at it only once
// `clickTimer` has reached 0.1 s.
void handleClick(GameState& state);

// The rest of the click step for a mouse at (mouseX, mouseY) with `buttonMask` held (SDL's
// mouse-state mask): with the left button down, every button under the pointer acts on the
// selected enemy, and the timer restarts.
void pressButtons(GameState& state, int mouseX, int mouseY, uint32_t buttonMask);
