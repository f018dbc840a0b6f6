#include "combat/new_game.h"

#include "combat/buttons.h"
#include "world/map_loader.h"

namespace {

// The cell that the shipped map marks.
constexpr float kFallbackPlayerX = 200.0f;
constexpr float kFallbackPlayerY = 240.0f;

}  // namespace

void prepareGame(GameState& state) {
    state.player.texture = state.assets.playerStanding;
    placePlayer(state.player, kFallbackPlayerX, kFallbackPlayerY, 0);
    makeButtons(state.buttons);
}
