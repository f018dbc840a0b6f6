#include "render/scene.h"

#include <SDL.h>

#include "game/globals.h"
#include "game/layout.h"
#include "render/text.h"

void drawBackground(const GameState& state) {
    SDL_RenderCopy(renderer, state.assets.background, nullptr, &kWindowRect);
}

void drawHud(const GameState& state) {
    TTF_Font* font = state.assets.font;
    const Entity& player = state.player;
    drawText(font, "Health:", kPaleYellow, kHealthRow.label);
    drawText(font, decimalText(player.health), kPaleYellow, kHealthRow.value);
    drawText(font, "Level:", kPaleYellow, kLevelRow.label);
    drawText(font, decimalText(player.level), kPaleYellow, kLevelRow.value);
    drawText(font, "Attack Power:", kPaleYellow, kAttackRow.label);
    drawText(font, decimalText(player.attack), kPaleYellow, kAttackRow.value);
    drawText(font, "Vrask:", kPaleYellow, kVraskRow.label);
    drawText(font, decimalText(state.vraskCount), kPaleYellow, kVraskRow.value);
}

void drawPlayer(const GameState& state) {
    SDL_RenderCopy(renderer, state.player.texture, nullptr, &kPlayerRect);
}

void drawButtons(const GameState& state) {
    for (const Button& button : state.buttons) {
        const SDL_Rect rect{button.x, button.y, button.w, button.h};
        SDL_RenderDrawRect(renderer, &rect);
        drawText(state.assets.font, button.label, kPaleYellow, rect);
    }
}
