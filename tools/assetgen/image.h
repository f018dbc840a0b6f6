#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One pixel, straight (not premultiplied) alpha, 0..255 per channel.
struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};

inline constexpr Rgba kClear{0, 0, 0, 0};

// A picture in memory, row by row from the top-left corner.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// A width x height picture filled with one colour.
Image makeImage(int width, int height, Rgba fill = kClear);

// Lays `colour` over the pixel at (x, y) with the colour's own alpha; outside pixels are ignored.
void blendPixel(Image& image, int x, int y, Rgba colour);

// Blends `colour` over every pixel of the rectangle, clipped to the image.
void fillRect(Image& image, int left, int top, int width, int height, Rgba colour);

// Mixes two colours: t = 0 gives a, t = 1 gives b (alpha included).
Rgba mix(Rgba a, Rgba b, double t);

// Multiplies the colour channels by `factor` (alpha kept), clamped to 0..255.
Rgba shade(Rgba colour, double factor);

// Writes the image as an RGBA PNG through SDL_image; false (with a message on stderr) on failure.
bool savePng(const Image& image, const std::string& path);
