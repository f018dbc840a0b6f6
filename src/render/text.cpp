#include "render/text.h"

#include "game/globals.h"
#include "game/owned.h"

void drawText(TTF_Font* font, const std::string& text, SDL_Color colour, SDL_Rect rect) {
    const Owned<SDL_Surface> image(TTF_RenderText_Solid(font, text.c_str(), colour));
    const Owned<SDL_Texture> texture(SDL_CreateTextureFromSurface(renderer, image.get()));
    SDL_RenderCopy(renderer, texture.get(), nullptr, &rect);
}

std::string decimalText(int32_t value) {
    // The magnitude is taken as unsigned so that the most negative value keeps all its digits.
    const bool negative = value < 0;
    uint32_t magnitude =
        negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[11];
    char* first = digits + sizeof digits;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *--first = '-';
    return std::string(first, digits + sizeof digits);
}
