#include "background.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "layout.h"
#include "random.h"

namespace {

const Rgba kWallStone{50, 46, 62, 255};
const Rgba kWallMortar{26, 24, 34, 255};
const Rgba kFloorStone{84, 78, 74, 255};
const Rgba kFloorGap{40, 36, 36, 255};
const Rgba kDoorway{12, 10, 18, 255};
const Rgba kPlate{116, 94, 68, 255};
const Rgba kPlateLight{160, 134, 98, 255};
const Rgba kPlateDark{66, 52, 40, 255};
const Rgba kPlateRim{28, 22, 18, 255};

// Grain in 2 x 2 blocks, the cell size of the figures, so the hall matches their pixels.
double grain(int x, int y, std::uint32_t salt) {
    Random random{static_cast<std::uint32_t>((x / 2) * 73856093u ^ (y / 2) * 19349663u ^ salt) |
                  1u};
    random.next();
    return random.signedUnit();
}

void paint(Image& image, int x, int y, Rgba colour) {
    if (image.contains(x, y)) image.at(x, y) = colour;
}

// Bricks 40 x 20, every other course shifted by half a brick, each brick a shade of its own.
void drawWall(Image& image) {
    for (int y = 0; y < kFloorTop; ++y) {
        const int course = y / 20;
        const int shift = (course % 2) * 20;
        for (int x = 0; x < kWindowSize; ++x) {
            const int brick = (x + shift) / 40;
            const bool mortar = y % 20 >= 18 || (x + shift) % 40 >= 38;
            Random tone{static_cast<std::uint32_t>(course * 131 + brick * 7919 + 1)};
            tone.next();
            const double lit = (y % 20 < 2) ? 1.12 : 1.0;
            const double factor = lit + tone.signedUnit() * 0.08 + grain(x, y, 11u) * 0.03;
            paint(image, x, y, mortar ? kWallMortar : shade(kWallStone, factor));
        }
    }
}

// The HUD's stretch of wall sinks into shadow, with a soft edge, so its text stands alone.
void calmHudArea(Image& image) {
    const SDL_Rect area{kHudArea.x - 14, kHudArea.y - 14, kHudArea.w + 28, kHudArea.h + 28};
    const double soft = 36.0;
    for (int y = 0; y < kFloorTop; ++y) {
        for (int x = 0; x < kWindowSize; ++x) {
            const double outside = std::max({area.x - x, x - (area.x + area.w), area.y - y,
                                             y - (area.y + area.h), 0}) /
                                   soft;
            const double depth = std::clamp(1.0 - outside, 0.0, 1.0);
            if (depth <= 0.0) continue;
            Rgba& pixel = image.at(x, y);
            const Rgba calm = mix(pixel, Rgba{24, 22, 32, 255}, 0.7);
            pixel = mix(pixel, calm, depth * depth * (3.0 - 2.0 * depth));
        }
    }
}

// The arched doorway the enemies come through, behind their places.
void drawDoorway(Image& image) {
    const int left = 620, right = 770, top = 70;
    const double centreX = (left + right) / 2.0;
    const double radius = (right - left) / 2.0;
    const double springY = top + radius;
    for (int y = top - 14; y < kFloorTop; ++y) {
        for (int x = left - 14; x < right + 14; ++x) {
            const double dx = x - centreX;
            const double dy = std::max(0.0, springY - y);
            const double reach = std::sqrt(dx * dx + dy * dy);
            if (reach < radius) {
                // A faint violet glow rises from the threshold.
                const double glow = std::clamp((y - springY) / (kFloorTop - springY), 0.0, 1.0);
                paint(image, x, y, mix(kDoorway, Rgba{70, 34, 96, 255}, glow * glow * 0.8));
            } else if (reach < radius + 12) {
                const double angle = std::atan2(dy, dx);
                const bool joint =
                    y < springY ? std::fmod(angle * 6.0 / 3.14159, 1.0) < 0.08 : (y - top) % 24 < 2;
                const double factor = 1.25 + grain(x, y, 23u) * 0.05;
                paint(image, x, y, joint ? kWallMortar : shade(kWallStone, factor));
            }
        }
    }
}

// A torch: an iron bracket, a flame in four colours and a warm glow on the wall around it.
void drawTorch(Image& image, int cx, int cy) {
    for (int y = cy - 80; y < cy + 80; ++y) {
        for (int x = cx - 80; x < cx + 80; ++x) {
            if (!image.contains(x, y) || y >= kFloorTop) continue;
            const double d = std::hypot(x - cx, y - cy) / 80.0;
            if (d >= 1.0) continue;
            Rgba& pixel = image.at(x, y);
            pixel = mix(pixel, Rgba{150, 96, 44, 255}, 0.35 * (1.0 - d) * (1.0 - d));
        }
    }
    for (int y = cy + 8; y < cy + 30; ++y) {
        for (int x = cx - 3; x < cx + 3; ++x) paint(image, x, y, Rgba{58, 50, 46, 255});
    }
    for (int x = cx - 7; x < cx + 7; ++x) {
        for (int y = cy + 4; y < cy + 10; ++y) paint(image, x, y, Rgba{80, 70, 62, 255});
    }
    const Rgba flame[4] = {
        {200, 60, 30, 255}, {250, 140, 40, 255}, {255, 210, 90, 255}, {255, 248, 210, 255}};
    for (int band = 0; band < 4; ++band) {
        const int half = 7 - band * 2;
        const int height = 26 - band * 6;
        for (int y = cy + 4 - height; y < cy + 4; y += 2) {
            const double t = static_cast<double>(cy + 4 - y) / height;
            const int w = static_cast<int>(std::lround(half * (1.0 - t * t)));
            for (int x = cx - w; x < cx + w; x += 2) {
                paint(image, x, y, flame[band]);
                paint(image, x + 1, y, flame[band]);
                paint(image, x, y + 1, flame[band]);
                paint(image, x + 1, y + 1, flame[band]);
            }
        }
    }
}

// Flagstones in courses that grow taller towards the viewer, each stone of its own width and
// shade, fading into the dark far off.
void drawFloor(Image& image) {
    Random layout{0xF1A9u};
    int top = kFloorTop;
    for (int course = 0; top < kWindowSize; ++course) {
        const int height = 18 + course * 8;
        const int width = 60 + course * 14;
        std::vector<int> joints{-static_cast<int>(layout.unit() * width)};
        while (joints.back() < kWindowSize) {
            joints.push_back(joints.back() + static_cast<int>(width * (0.7 + layout.unit() * 0.6)));
        }
        const double distance = std::clamp(1.0 - (top - kFloorTop) / 300.0, 0.0, 1.0);
        for (std::size_t stone = 0; stone + 1 < joints.size(); ++stone) {
            Random tone{
                static_cast<std::uint32_t>(course * 977 + static_cast<int>(stone) * 131 + 5)};
            tone.next();
            const double stoneShade = tone.signedUnit() * 0.08;
            for (int y = top; y < std::min(top + height, kWindowSize); ++y) {
                for (int x = std::max(joints[stone], 0);
                     x < std::min(joints[stone + 1], kWindowSize); ++x) {
                    const bool gap = y - top >= height - 2 || x >= joints[stone + 1] - 2;
                    const double lit = (y - top < 2) ? 1.1 : 1.0;
                    const double factor =
                        (lit + stoneShade + grain(x, y, 37u) * 0.03) * (1.0 - 0.4 * distance);
                    paint(
                        image, x, y,
                        gap ? shade(kFloorGap, 1.0 - 0.4 * distance) : shade(kFloorStone, factor));
                }
            }
        }
        top += height;
    }
    // A dark skirting where wall and floor meet.
    fillRect(image, 0, kFloorTop - 6, kWindowSize, 6, Rgba{14, 12, 18, 200});
}

// A soft oval shadow under the feet of a figure standing in `place`; `darkness` (0..1) is its
// opacity at the centre.
void drawShadow(Image& image, const SDL_Rect& place, double darkness) {
    const double cx = place.x + place.w / 2.0;
    const double cy = place.y + place.h - 2;
    for (int y = place.y + place.h - 12; y < place.y + place.h + 8; ++y) {
        for (int x = place.x - 8; x < place.x + place.w + 8; ++x) {
            const double dx = (x - cx) / (place.w / 2.0 + 4);
            const double dy = (y - cy) / 7.0;
            const double d = dx * dx + dy * dy;
            if (d >= 1.0) continue;
            const auto alpha = static_cast<std::uint8_t>(255.0 * darkness * (1.0 - d));
            blendPixel(image, x, y, Rgba{8, 6, 10, alpha});
        }
    }
}

// Corners and edges fall off into the dark.
void vignette(Image& image) {
    for (int y = 0; y < kWindowSize; ++y) {
        for (int x = 0; x < kWindowSize; ++x) {
            const double dx = (x - 400.0) / 400.0;
            const double dy = (y - 430.0) / 430.0;
            const double fade = std::clamp(1.0 - 0.35 * (dx * dx + dy * dy), 0.5, 1.0);
            image.at(x, y) = shade(image.at(x, y), fade);
        }
    }
}

// A bronze plate under a button: rim, bevelled edges, a flat face under the label, and a rivet
// in each corner of the margin outside the button's outline.
void drawPlate(Image& image, const SDL_Rect& button) {
    const int m = kPlateMargin;
    const SDL_Rect plate{button.x - m, button.y - m, button.w + 2 * m, button.h + 2 * m};
    for (int y = plate.y; y < plate.y + plate.h; ++y) {
        for (int x = plate.x; x < plate.x + plate.w; ++x) {
            const int fromLeft = x - plate.x, fromTop = y - plate.y;
            const int fromRight = plate.x + plate.w - 1 - x, fromBottom = plate.y + plate.h - 1 - y;
            const int edge = std::min({fromLeft, fromTop, fromRight, fromBottom});
            Rgba colour = shade(kPlate, 1.0 + grain(x, y, 53u) * 0.025);
            if (edge == 0) {
                colour = kPlateRim;
            } else if (edge <= 2) {
                colour = (fromLeft <= 2 || fromTop <= 2) && fromRight > 2 && fromBottom > 2
                             ? kPlateLight
                             : kPlateDark;
            }
            image.at(x, y) = colour;
        }
    }
    const int rivets[4][2] = {{plate.x + 3, plate.y + 3},
                              {plate.x + plate.w - 5, plate.y + 3},
                              {plate.x + 3, plate.y + plate.h - 5},
                              {plate.x + plate.w - 5, plate.y + plate.h - 5}};
    for (const auto& rivet : rivets) {
        fillRect(image, rivet[0], rivet[1], 2, 2, kPlateLight);
        fillRect(image, rivet[0] + 1, rivet[1] + 1, 1, 1, kPlateDark);
    }
}

}  // namespace

Image drawBackground() {
    Image image = makeImage(kWindowSize, kWindowSize, Rgba{0, 0, 0, 255});
    drawWall(image);
    drawDoorway(image);
    drawTorch(image, 568, 118);
    drawTorch(image, 24, 200);
    calmHudArea(image);
    drawFloor(image);
    drawShadow(image, kPlayerRect, 0.6);
    // The enemies' places are marked more faintly: often one or two of them stand empty.
    for (const SDL_Rect& place : kEnemyPlaces) drawShadow(image, place, 0.35);
    vignette(image);
    for (const SDL_Rect& button : kButtonRects) drawPlate(image, button);
    return image;
}
