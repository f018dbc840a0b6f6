#include "render/effects.h"

#include <gtest/gtest.h>

#include "render/text.h"
#include "shell/game_state.h"
#include "test_support.h"

namespace {

class Effects : public support::Screen {
  protected:
    static Effect number(SDL_Rect rect, const char* text, int32_t fromPlayer, double age = 0.0) {
        return Effect{rect, text, age, fromPlayer};
    }
};

TEST_F(Effects, DrawnEveryFrameUntilPastTheirLifetime) {
    const SDL_Rect rect{100, 400, 30, 12};
    const struct {
        bool explosion;
        double delta;
        int framesDrawn;
    } cases[] = {
        {false, 0.25, 3},  // ages 0.25, 0.5, 0.75: 0.5 is not past the lifetime
        {false, 0.6, 1},
        {true, 0.2, 2},  // ages 0.2, 0.4
        {true, 0.3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.explosion ? "explosion " : "number ") << c.delta);
        std::vector<Effect>& list = c.explosion ? state.explosions : state.floatingNumbers;
        list = {c.explosion ? number(rect, "NULL", 0) : number(rect, "88", 0)};
        const SDL_Color colour = c.explosion ? support::kExplosionColour : kRed;
        for (int frame = 1; frame <= c.framesDrawn + 1; ++frame) {
            SCOPED_TRACE(frame);
            clear();
            updateFloatingNumbers(state, c.delta);
            updateExplosions(state, c.delta);
            const bool drawn = frame <= c.framesDrawn;
            EXPECT_EQ(countInside(colour, rect) > 0, drawn);
            EXPECT_EQ(list.size(), frame < c.framesDrawn ? 1u : 0u);
            if (!list.empty()) {
                EXPECT_DOUBLE_EQ(list[0].age, c.delta * frame);
            }
        }
    }
}

TEST_F(Effects, ColourFollowsWhoseNumberItIs) {
    const SDL_Rect rect{300, 500, 30, 12};
    const struct {
        int32_t fromPlayer;
        SDL_Color shown, absent;
    } cases[] = {{0, kRed, kGreen}, {1, kGreen, kRed}, {7, kGreen, kRed}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fromPlayer);
        clear();
        state.floatingNumbers = {number(rect, "150", c.fromPlayer)};
        updateFloatingNumbers(state, 0.01);
        EXPECT_GT(countInside(c.shown, rect), 0);
        EXPECT_EQ(countOutside(c.shown, rect), 0);
        EXPECT_EQ(countInside(c.absent, {0, 0, 800, 800}), 0);
    }
}

TEST_F(Effects, ExplosionFillsItsSquareAndItsTextIsNeverDrawn) {
    const SDL_Rect rect{650, 350, 50, 50};
    state.explosions = {number(rect, "NULL", 1)};
    updateExplosions(state, 0.01);
    EXPECT_EQ(countInside(support::kExplosionColour, rect), 50 * 50);
    EXPECT_EQ(countOutside(support::kExplosionColour, rect), 0);
    for (const SDL_Color text : {kRed, kGreen, kPaleYellow}) {
        EXPECT_EQ(countInside(text, {0, 0, 800, 800}), 0);
    }
}

TEST_F(Effects, ExpiringRecordsLeaveTheOthersInOrderAndAllAreDrawn) {
    const SDL_Rect rects[] = {
        {10, 10, 30, 12}, {10, 40, 30, 12}, {10, 70, 30, 12}, {10, 100, 30, 12}};
    const struct {
        double ages[4];
        std::vector<std::string> left;
    } cases[] = {
        {{0.45, 0.1, 0.0, 0.0}, {"1", "2", "3"}},  // the first expires
        {{0.45, 0.42, 0.0, 0.3}, {"2", "3"}},      // two neighbours expire together
        {{0.0, 0.45, 0.0, 0.45}, {"0", "2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left.size() << " left");
        clear();
        state.floatingNumbers.clear();
        for (int i = 0; i < 4; ++i) {
            state.floatingNumbers.push_back(
                number(rects[i], std::to_string(i).c_str(), 0, c.ages[i]));
        }
        updateFloatingNumbers(state, 0.1);
        for (const SDL_Rect& rect : rects) EXPECT_GT(countInside(kRed, rect), 0);
        ASSERT_EQ(state.floatingNumbers.size(), c.left.size());
        for (size_t i = 0; i < c.left.size(); ++i) {
            EXPECT_EQ(state.floatingNumbers[i].text, c.left[i]);
            EXPECT_DOUBLE_EQ(state.floatingNumbers[i].age, c.ages[std::stoi(c.left[i])] + 0.1);
        }
    }
}

}  // namespace
