#include "render/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "shell/globals.h"
#include "test_support.h"

namespace {

// Plain digits with a sign, no grouping or padding: what std::to_string gives for an integer.
TEST(DecimalText, PlainDigitsWithSign) {
    for (const int32_t value : {0, 7, -7, 150, INT32_MAX, INT32_MIN}) {
        EXPECT_EQ(decimalText(value), std::to_string(value));
    }
}

class TextDrawing : public support::Screen {
  protected:
    // How many columns and rows of `rect` hold at least one pixel of `colour`.
    std::pair<int, int> inkSpan(SDL_Color colour, SDL_Rect r) {
        int columns = 0, rows = 0;
        for (int x = r.x; x < r.x + r.w; ++x) columns += countInside(colour, {x, r.y, 1, r.h}) > 0;
        for (int y = r.y; y < r.y + r.h; ++y) rows += countInside(colour, {r.x, y, r.w, 1}) > 0;
        return {columns, rows};
    }
};

// Stretched, not measured: one digit is as wide as three, and the ink reaches across most of
// the box both ways (the line height holds the descent too, so less of it vertically).
TEST_F(TextDrawing, StretchesTextToFillItsRectangleAndNoFurther) {
    const struct {
        const char* text;
        SDL_Color colour;
        SDL_Rect rect;
    } cases[] = {
        {"5", kPaleYellow, {100, 100, 100, 50}},
        {"Attack Power:", kPaleYellow, {50, 50, 100, 50}},
        {"-2147483648", kRed, {300, 600, 30, 12}},
        {"Do Vrask!", kGreen, {400, 650, 100, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        clear();
        drawText(state.assets.font, c.text, c.colour, c.rect);
        EXPECT_EQ(countOutside(c.colour, c.rect), 0);
        const auto [columns, rows] = inkSpan(c.colour, c.rect);
        EXPECT_GE(columns, c.rect.w * 3 / 5);
        EXPECT_GE(rows, c.rect.h * 2 / 5);
    }
}

TEST_F(TextDrawing, MissingFontDrawsNothing) {
    drawText(nullptr, "Health:", kPaleYellow, {300, 20, 100, 50});
    EXPECT_EQ(countInside(kPaleYellow, support::kWindow), 0);
}

}  // namespace
