#pragma once

#include <string>
#include <vector>

#include "image.h"

// A sprite drawn as text: one string per row, one character per cell. The palette maps each
// character to a colour; '.' is always transparent and leaves the pixel under it untouched.
using Grid = std::vector<std::string>;

// Figures are drawn with cells of 2 x 2 pixels: a 25 x 50 grid fills a 50 x 100 place.
inline constexpr int kSpriteCell = 2;
inline constexpr int kSpriteWidth = 50;
inline constexpr int kSpriteHeight = 100;

struct PaletteEntry {
    char key = '.';
    Rgba colour;
};
using Palette = std::vector<PaletteEntry>;

// Describes what is wrong with a grid (ragged rows, a character missing from the palette), or
// returns an empty string when it can be drawn.
std::string gridProblem(const Grid& grid, const Palette& palette);

// Draws the grid with its top-left cell at (left, top), each cell a scale x scale block.
// Throws std::invalid_argument when gridProblem finds a fault, naming `name`.
void stampGrid(Image& image, const Grid& grid, const Palette& palette, int left, int top, int scale,
               const std::string& name);

// Width and height of a grid in cells.
int gridWidth(const Grid& grid);
int gridHeight(const Grid& grid);

// A copy of the image with every pixel repeated factor x factor times.
Image scaleUp(const Image& image, int factor);

// A copy with each factor x factor block reduced to its top-left pixel.
Image scaleDown(const Image& image, int factor);

// Mirrors the image left to right.
Image mirrored(const Image& image);
