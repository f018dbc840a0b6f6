#include "combat/buttons.h"

#include <SDL.h>

#include "combat/progression.h"
#include "game/layout.h"
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
    const auto add = [&buttons](const SDL_Rect& rect, const char* label, ButtonAction action) {
        buttons.push_back({rect.x, rect.y, rect.w, rect.h, label, action});
    };
    add(kButtonRects[0], "Attack", attackAction);
    add(kButtonRects[1], "Block", blockAction);
    add(kButtonRects[2], "Do Vrask!", vraskAction);
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
