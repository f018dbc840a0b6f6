#include "image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::uint8_t toByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

Image makeImage(int width, int height, Rgba fill) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width * height), fill);
    return image;
}

void blendPixel(Image& image, int x, int y, Rgba colour) {
    if (!image.contains(x, y) || colour.a == 0) return;
    Rgba& under = image.at(x, y);
    if (colour.a == 255 || under.a == 0) {
        under = colour;
        return;
    }
    // Straight-alpha "over": the result's alpha grows, colours mix by the top's share.
    const double top = colour.a / 255.0;
    const double bottom = under.a / 255.0 * (1.0 - top);
    const double alpha = top + bottom;
    under.r = toByte((colour.r * top + under.r * bottom) / alpha);
    under.g = toByte((colour.g * top + under.g * bottom) / alpha);
    under.b = toByte((colour.b * top + under.b * bottom) / alpha);
    under.a = toByte(alpha * 255.0);
}

void fillRect(Image& image, int left, int top, int width, int height, Rgba colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) blendPixel(image, x, y, colour);
    }
}

Rgba mix(Rgba a, Rgba b, double t) {
    return {toByte(a.r + (b.r - a.r) * t), toByte(a.g + (b.g - a.g) * t),
            toByte(a.b + (b.b - a.b) * t), toByte(a.a + (b.a - a.a) * t)};
}

Rgba shade(Rgba colour, double factor) {
    return {toByte(colour.r * factor), toByte(colour.g * factor), toByte(colour.b * factor),
            colour.a};
}

bool savePng(const Image& image, const std::string& path) {
    // SDL only reads the pixels here, whatever the constness of its parameter says.
    void* pixels = const_cast<Rgba*>(image.pixels.data());
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        pixels, image.width, image.height, 32, image.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), SDL_GetError());
        return false;
    }
    const bool saved = IMG_SavePNG(surface, path.c_str()) == 0;
    if (!saved) std::fprintf(stderr, "%s: %s\n", path.c_str(), IMG_GetError());
    SDL_FreeSurface(surface);
    return saved;
}
