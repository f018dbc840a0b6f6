#include "render/text.h"

#include <gtest/gtest.h>

#include <climits>

#include "shell/globals.h"

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

// Draws on SDL's software renderer over an 800x800 surface with the real font.
class TextDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(TTF_Init(), 0);
        font_ = TTF_OpenFont(BRANNOCH_ASSET_DIR "/DelaGothicOne-Regular.ttf", 12);
        ASSERT_NE(font_, nullptr);
        surface_ = SDL_CreateRGBSurfaceWithFormat(0, 800, 800, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer = SDL_CreateSoftwareRenderer(surface_);
        ASSERT_NE(renderer, nullptr);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
        SDL_RenderClear(renderer);
    }
    void TearDown() override {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        SDL_FreeSurface(surface_);
        TTF_CloseFont(font_);
        TTF_Quit();
    }
    // Pixels of exactly `colour` inside and outside `rect`, and the columns and rows in
    // `rect` that hold at least one of them.
    struct Census {
        int inside = 0;
        int outside = 0;
        int columnsHit = 0;
        int rowsHit = 0;
    };
    Census count(SDL_Color colour, SDL_Rect rect) const {
        const Uint32 wanted = SDL_MapRGB(surface_->format, colour.r, colour.g, colour.b);
        const auto* pixels = static_cast<const Uint32*>(surface_->pixels);
        const int pitch = surface_->pitch / 4;
        std::vector<bool> column(800), row(800);
        Census census;
        for (int y = 0; y < 800; ++y) {
            for (int x = 0; x < 800; ++x) {
                if ((pixels[y * pitch + x] & 0x00FFFFFF) != (wanted & 0x00FFFFFF)) continue;
                const SDL_Point p{x, y};
                if (SDL_PointInRect(&p, &rect)) {
                    ++census.inside;
                    column[static_cast<size_t>(x)] = true;
                    row[static_cast<size_t>(y)] = true;
                } else {
                    ++census.outside;
                }
            }
        }
        for (bool hit : column) census.columnsHit += hit;
        for (bool hit : row) census.rowsHit += hit;
        return census;
    }

    TTF_Font* font_ = nullptr;
    SDL_Surface* surface_ = nullptr;
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
        SDL_RenderClear(renderer);
        const std::string text = c.text;
        drawText(font_, text, c.colour, c.rect);
        const Census census = count(c.colour, c.rect);
        EXPECT_GT(census.inside, 0);
        EXPECT_EQ(census.outside, 0);
        // Stretched, not measured: the ink reaches across most of the box both ways.
        EXPECT_GE(census.columnsHit, c.rect.w * 3 / 5);
        EXPECT_GE(census.rowsHit, c.rect.h * 2 / 5);  // the line height holds the descent too
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(TextDrawing, OneDigitIsAsWideAsThree) {
    const SDL_Rect box{100, 100, 100, 50};
    drawText(font_, "5", kPaleYellow, box);
    const Census one = count(kPaleYellow, box);
    SDL_RenderClear(renderer);
    drawText(font_, "150", kPaleYellow, box);
    const Census three = count(kPaleYellow, box);
    EXPECT_GE(one.columnsHit, 60);
    EXPECT_GE(three.columnsHit, 60);
}

TEST_F(TextDrawing, MissingFontDrawsNothing) {
    drawText(nullptr, "Health:", kPaleYellow, {300, 20, 100, 50});
    EXPECT_EQ(count(kPaleYellow, {0, 0, 800, 800}).inside, 0);
}

}  // namespace
