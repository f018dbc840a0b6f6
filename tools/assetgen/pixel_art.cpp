#include "pixel_art.h"

#include <stdexcept>

namespace {

const Rgba* lookUp(const Palette& palette, char key) {
    for (const PaletteEntry& entry : palette) {
        if (entry.key == key) return &entry.colour;
    }
    return nullptr;
}

}  // namespace

int gridWidth(const Grid& grid) {
    return grid.empty() ? 0 : static_cast<int>(grid.front().size());
}

int gridHeight(const Grid& grid) {
    return static_cast<int>(grid.size());
}

std::string gridProblem(const Grid& grid, const Palette& palette) {
    if (grid.empty()) return "the grid has no rows";
    for (std::size_t row = 0; row < grid.size(); ++row) {
        if (grid[row].size() != grid.front().size()) {
            return "row " + std::to_string(row) + " is " + std::to_string(grid[row].size()) +
                   " cells wide, the first row " + std::to_string(grid.front().size());
        }
        for (const char key : grid[row]) {
            if (key != '.' && lookUp(palette, key) == nullptr) {
                return "row " + std::to_string(row) + " uses '" + std::string(1, key) +
                       "', which the palette lacks";
            }
        }
    }
    return {};
}

void stampGrid(Image& image, const Grid& grid, const Palette& palette, int left, int top, int scale,
               const std::string& name) {
    const std::string problem = gridProblem(grid, palette);
    if (!problem.empty()) throw std::invalid_argument(name + ": " + problem);
    for (int row = 0; row < gridHeight(grid); ++row) {
        for (int column = 0; column < gridWidth(grid); ++column) {
            const char key = grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (key == '.') continue;
            fillRect(image, left + column * scale, top + row * scale, scale, scale,
                     *lookUp(palette, key));
        }
    }
}

Image scaleUp(const Image& image, int factor) {
    Image result = makeImage(image.width * factor, image.height * factor);
    for (int y = 0; y < result.height; ++y) {
        for (int x = 0; x < result.width; ++x) result.at(x, y) = image.at(x / factor, y / factor);
    }
    return result;
}

Image scaleDown(const Image& image, int factor) {
    Image result = makeImage(image.width / factor, image.height / factor);
    for (int y = 0; y < result.height; ++y) {
        for (int x = 0; x < result.width; ++x) result.at(x, y) = image.at(x * factor, y * factor);
    }
    return result;
}

Image mirrored(const Image& image) {
    Image result = makeImage(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) result.at(x, y) = image.at(image.width - 1 - x, y);
    }
    return result;
}
