#include "render/effects.h"

#include <cstdlib>
#include <vector>

#include "game/globals.h"
#include "render/text.h"

namespace {

// Ages, draws and expires each record once, the one after an erased record included.
template <typename Draw>
void ageDrawExpire(std::vector<Effect>& effects, double frameDelta, double lifetime, Draw draw) {
    for (size_t i = 0; i < effects.size();) {
        Effect& effect = effects[i];
        effect.age += frameDelta;
        draw(effect);
        if (effect.age > lifetime) {
            effects.erase(effects.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

}  // namespace

Effect makeFloatingNumber(const Entity& player, int32_t value, int32_t fromPlayer) {
    const int offsetX = std::rand() % 550;
    const int offsetY = std::rand() % 550;
    Effect number;
    number.rect = {toPixel(static_cast<float>(offsetX) + player.x),
                   toPixel(static_cast<float>(offsetY) + player.y), 30, 12};
    number.text = decimalText(value);
    number.fromPlayer = fromPlayer;
    return number;
}

Effect makeExplosion(const Entity& enemy) {
    Effect explosion;
    explosion.rect = {toPixel(enemy.x), toPixel(enemy.y), 50, 50};
    explosion.text = "NULL";
    return explosion;
}

void updateFloatingNumbers(GameState& state, double frameDelta) {
    TTF_Font* font = state.assets.font;
    ageDrawExpire(
        state.floatingNumbers, frameDelta, kFloatingNumberLifetime, [font](const Effect& number) {
            drawText(font, number.text, number.fromPlayer == 0 ? kRed : kGreen, number.rect);
        });
}

void updateExplosions(GameState& state, double frameDelta) {
    SDL_Texture* image = state.assets.explosion;
    ageDrawExpire(state.explosions, frameDelta, kExplosionLifetime, [image](const Effect& blast) {
        SDL_RenderCopy(renderer, image, nullptr, &blast.rect);
    });
}
