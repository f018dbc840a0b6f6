#include "render/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "shell/globals.h"
#include "test_support.h"

namespace {

TEST(DecimalText, PlainDigitsWithSign) {
    const struct {
        int32_t value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {7, "7"},
        {-7, "-7"},
        {150, "150"},
        {10, "10"},
        {INT32_MAX, "2147483647"},
        {INT32_MIN, "-2147483648"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(decimalText(c.value), c.text);
    }
}

// Text drawn on SDL's software renderer over an 800x800 surface with the real font.
class TextDrawing : public support::Screen {
  protected:
    // How many columns and rows of `rect` hold at least one pixel of `colour`.
    std::pair<int, int> inkSpan(SDL_Color colour, SDL_Rect rect) {
        int columns = 0;
        for (int x = rect.x; x < rect.x + rect.w; ++x) {
            columns += countInside(colour, {x, rect.y, 1, rect.h}) > 0;
        }
        int rows = 0;
        for (int y = rect.y; y < rect.y + rect.h; ++y) {
            rows += countInside(colour, {rect.x, y, rect.w, 1}) > 0;
        }
        return {columns, rows};
    }
};

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
        const std::string text = c.text;
        drawText(state.assets.font, text, c.colour, c.rect);
        EXPECT_GT(countInside(c.colour, c.rect), 0);
        EXPECT_EQ(countOutside(c.colour, c.rect), 0);
        // Stretched, not measured: the ink reaches across most of the box both ways (the line
        // height holds the descent too, so less of it vertically).
        const auto [columns, rows] = inkSpan(c.colour, c.rect);
        EXPECT_GE(columns, c.rect.w * 3 / 5);
        EXPECT_GE(rows, c.rect.h * 2 / 5);
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(TextDrawing, OneDigitIsAsWideAsThree) {
    const SDL_Rect box{100, 100, 100, 50};
    for (const char* text : {"5", "150"}) {
        SCOPED_TRACE(text);
        clear();
        drawText(state.assets.font, text, kPaleYellow, box);
        EXPECT_GE(inkSpan(kPaleYellow, box).first, 60);
    }
}

TEST_F(TextDrawing, MissingFontDrawsNothing) {
    drawText(nullptr, "Health:", kPaleYellow, {300, 20, 100, 50});
    EXPECT_EQ(countInside(kPaleYellow, {0, 0, 800, 800}), 0);
}

}  // namespace
