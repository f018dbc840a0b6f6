#include "render/scene.h"

#include <SDL.h>

#include "game/globals.h"
#include "render/text.h"

void drawBackground(const GameState& state) {
    const SDL_Rect window{0, 0, 800, 800};
    SDL_RenderCopy(renderer, state.assets.background, nullptr, &window);
}

void drawHud(const GameState& state) {
    TTF_Font* font = state.assets.font;
    const Entity& player = state.player;
    // The level row (y 20) and the attack-power row (y 50) overlap; the later one lies on top.
    drawText(font, "Health:", kPaleYellow, {300, 20, 100, 50});
    drawText(font, decimalText(player.health), kPaleYellow, {400, 20, 100, 50});
    drawText(font, "Level:", kPaleYellow, {50, 20, 100, 50});
    drawText(font, decimalText(player.level), kPaleYellow, {150, 20, 100, 50});
    drawText(font, "Attack Power:", kPaleYellow, {50, 50, 100, 50});
    drawText(font, decimalText(player.attack), kPaleYellow, {150, 50, 100, 50});
    drawText(font, "Vrask:", kPaleYellow, {50, 100, 100, 50});
    drawText(font, decimalText(state.vraskCount), kPaleYellow, {150, 100, 100, 50});
}

void drawPlayer(const GameState& state) {
    const SDL_Rect place{300, 300, 50, 100};
    SDL_RenderCopy(renderer, state.player.texture, nullptr, &place);
}

void drawButtons(const GameState& state) {
    for (const Button& button : state.buttons) {
        const SDL_Rect rect{button.x, button.y, button.w, button.h};
        SDL_RenderDrawRect(renderer, &rect);
        drawText(state.assets.font, button.label, kPaleYellow, rect);
    }
}
