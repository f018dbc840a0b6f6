#include "effect_art.h"

#include <cmath>
#include <stdexcept>

#include "pixel_art.h"
#include "random.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Top to bottom: a dark rim, a lit edge, the red body darkening downwards, a dark rim.
const Rgba kHealthRows[kHealthBarHeight] = {
    {46, 8, 12, 255},   {255, 150, 140, 255}, {246, 74, 66, 255}, {232, 48, 48, 255},
    {214, 36, 40, 255}, {196, 28, 36, 255},   {172, 22, 32, 255}, {140, 16, 28, 255},
    {104, 12, 22, 255}, {46, 8, 12, 255},
};

// The burst is drawn in 2 x 2 cells, like the figures, in bands from a white core to red.
const Rgba kBurstBands[] = {
    {255, 252, 220, 255}, {255, 226, 96, 255}, {252, 160, 40, 255},
    {224, 72, 32, 255},   {120, 40, 36, 230},
};

const Palette kIconPalette = {
    {'k', {22, 20, 30, 255}},    {'S', {214, 222, 236, 255}}, {'s', {146, 156, 178, 255}},
    {'W', {246, 250, 255, 255}}, {'G', {236, 196, 72, 255}},  {'g', {164, 122, 40, 255}},
    {'B', {70, 118, 214, 255}},  {'b', {40, 66, 140, 255}},   {'L', {128, 86, 52, 255}},
};

// The hero's shield with the sword behind it, tip up and right, hilt down and left.
// clang-format off
const Grid kIcon = {
    "...........kkk..",
    "..........kWSk..",
    ".........kWSk...",
    ".kkkkkkkkWSkkkk.",
    ".kGGGGGGGGGGGgk.",
    ".kGBBBBWWBBBbgk.",
    ".kGBBBBWWBBBbgk.",
    ".kGWWWWWWWWWWgk.",
    ".kGBBBBWWBBBbgk.",
    ".kGBBBBWWBBBbgk.",
    "..kGBBBWWBBbgk..",
    "..kGBBBWWBBbgk..",
    ".kLkGBBWWBbgk...",
    "kGkkkGBWbgk.....",
    "kk...kGgk.......",
    "......kk........",
};
// clang-format on

}  // namespace

Image drawHealthBar() {
    Image image = makeImage(kHealthBarWidth, kHealthBarHeight);
    for (int y = 0; y < kHealthBarHeight; ++y) {
        for (int x = 0; x < kHealthBarWidth; ++x) image.at(x, y) = kHealthRows[y];
    }
    return image;
}

Image drawExplosion() {
    const int cells = kExplosionSize / 2;
    const double centre = (cells - 1) / 2.0;
    Image small = makeImage(cells, cells);
    Random random{0xB0A5u};
    // Each of 32 rays gets its own reach, so the edge is ragged rather than round.
    double reach[32];
    for (double& ray : reach) ray = 7.0 + random.unit() * 4.5;
    for (int y = 0; y < cells; ++y) {
        for (int x = 0; x < cells; ++x) {
            const double dx = x - centre;
            const double dy = y - centre;
            const double distance = std::sqrt(dx * dx + dy * dy);
            const double turn = (std::atan2(dy, dx) + kPi) / (2.0 * kPi) * 32.0;
            const int ray = static_cast<int>(turn) % 32;
            const double blend = turn - std::floor(turn);
            const double edge = reach[ray] * (1.0 - blend) + reach[(ray + 1) % 32] * blend;
            const double depth = distance / edge + random.signedUnit() * 0.08;
            if (depth >= 1.0) continue;
            const int band = static_cast<int>(depth * 5.0);
            small.at(x, y) = kBurstBands[band];
        }
    }
    // Sparks thrown clear of the burst, kept off the outermost ring of cells.
    for (int spark = 0; spark < 10; ++spark) {
        const double angle = random.unit() * 2.0 * kPi;
        const double distance = 9.5 + random.unit() * 2.0;
        const int x = static_cast<int>(std::lround(centre + std::cos(angle) * distance));
        const int y = static_cast<int>(std::lround(centre + std::sin(angle) * distance));
        if (x > 0 && y > 0 && x < cells - 1 && y < cells - 1) small.at(x, y) = kBurstBands[1];
    }
    return scaleUp(small, 2);
}

Image drawIcon(int size) {
    const int cells = gridWidth(kIcon);
    Image base = makeImage(cells, cells);
    stampGrid(base, kIcon, kIconPalette, 0, 0, 1, "icon");
    if (size < cells || size % cells != 0) {
        throw std::invalid_argument("icon size " + std::to_string(size) + " is not a multiple of " +
                                    std::to_string(cells));
    }
    return scaleUp(base, size / cells);
}
