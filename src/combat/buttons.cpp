#include "combat/buttons.h"

#include <SDL.h>

#include "combat/progression.h"
#include "world/statistics.h"

namespace {

// The enemy the buttons reach: the selected one, or the last one when the selection points
// past the end. Only for a non-empty enemy list.
Entity& targetEnemy(GameState& state) {
    const size_t index = state.selectedTarget < state.enemies.size() ? state.selectedTarget
                                                                     : state.enemies.size() - 1;
    return state.enemies[index];
}

}  // namespace

void makeButtons(std::vector<Button>& buttons) {
    buttons.push_back({185, 550, 100, 50, "Attack", attackAction});
    buttons.push_back({350, 550, 100, 50, "Block", blockAction});
    buttons.push_back({400, 650, 100, 50, "Do Vrask!", vraskAction});
}

void attackAction(Entity& player, Entity& target) {
    target.health = saturatingSub(target.health, player.attack);
}

void blockAction(Entity& player, Entity& /*target*/) {
    player.health = saturatingAdd(player.health, player.attack);
}

void vraskAction(Entity& /*player*/, Entity& /*target*/) {}

void handleClick(GameState& state) {
    SDL_Point mouse{};
    const uint32_t mask = SDL_GetMouseState(&mouse.x, &mouse.y);
    pressButtons(state, mouse.x, mouse.y, mask);
}

void pressButtons(GameState& state, int mouseX, int mouseY, uint32_t buttonMask) {
    if (state.clickTimer < kClickInterval) return;
    if ((buttonMask & SDL_BUTTON_LMASK) == 0) return;
    for (size_t position = 0; position < state.buttons.size(); ++position) {
        const Button& button = state.buttons[position];
        // Both edges count: a 100x50 button answers on 101x51 pixels. Widened so that no
        // sum can overflow.
        const bool hit = button.x <= mouseX && int64_t{mouseX} <= int64_t{button.x} + button.w &&
                         button.y <= mouseY && int64_t{mouseY} <= int64_t{button.y} + button.h;
        if (hit && !state.enemies.empty()) {
            button.action(state.player, targetEnemy(state));
            finishAction(state, position);
        }
        state.clickTimer = 0.0;
    }
}
