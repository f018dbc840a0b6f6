#include "render/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "support/rules.h"

namespace {

TEST(DecimalText, PlainDigitsWithSign) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0"}, {7, "7"}, {-7, "-7"}, {150, "150"}, {INT32_MAX, "2147483647"},
        {INT32_MIN, "-2147483648"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(decimalText(value), text);
}

class TextDrawing : public Screen {
  protected:
    // How many columns and rows of `r` hold at least one pixel of `colour`.
    std::pair<int, int> inkSpan(SDL_Color colour, SDL_Rect r) {
        int columns = 0, rows = 0;
        for (int x = r.x; x < r.x + r.w; ++x) columns += screen.count(colour, {x, r.y, 1, r.h}) > 0;
        for (int y = r.y; y < r.y + r.h; ++y) rows += screen.count(colour, {r.x, y, r.w, 1}) > 0;
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
        screen.clear();
        drawText(state.assets.font, c.text, c.colour, c.rect);
        EXPECT_EQ(countOutside(c.colour, c.rect), 0);
        const auto [columns, rows] = inkSpan(c.colour, c.rect);
        EXPECT_GE(columns, c.rect.w * 3 / 5);
        EXPECT_GE(rows, c.rect.h * 2 / 5);
    }
    drawText(nullptr, "Health:", kPaleYellow, {300, 20, 100, 50});  // no font: nothing at all
    EXPECT_EQ(screen.count(kPaleYellow, {300, 20, 100, 50}), 0);
}

}  // namespace
