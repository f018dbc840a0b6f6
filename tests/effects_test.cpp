#include "render/effects.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "render/text.h"
#include "support/rules.h"

namespace {

class Effects : public Screen {
  protected:
    static SDL_Rect rowRect(size_t i) { return {10, 10 + 30 * static_cast<int>(i), 30, 12}; }
};

// Each record is aged by the frame delta, drawn, then erased once its age passes its lifetime
// (0.5 s for a number, 0.2 s for an explosion): drawn in the frame it expires in, and the
// records left keep their order.
TEST_F(Effects, AgedDrawnThenErasedPastTheirLifetime) {
    // explosions?, ages before the frame, frame delta, records left
    const std::tuple<bool, std::vector<double>, double, std::vector<int>> cases[] = {
        {false, {0.25, 0.3, 0.0, 0.26}, 0.25, {0, 2}},  // 0.5 is not past the lifetime
        {false, {0.45, 0.1, 0.0, 0.0}, 0.1, {1, 2, 3}},
        {false, {0.45, 0.42, 0.0, 0.3}, 0.1, {2, 3}},  // two neighbours expire together
        {true, {0.1, 0.15, 0.0}, 0.1, {0, 2}},
        {true, {0.0}, 0.3, {}}};
    for (const auto& [explosions, ages, delta, left] : cases) {
        SCOPED_TRACE(testing::Message() << explosions << " " << ages.size() << " " << delta);
        screen.clear();
        std::vector<Effect>& list = explosions ? state.explosions : state.floatingNumbers;
        list.clear();
        for (size_t i = 0; i < ages.size(); ++i) list.push_back({rowRect(i), "88", ages[i], 0});
        updateFloatingNumbers(state, delta);
        updateExplosions(state, delta);
        const SDL_Color colour = explosions ? kExplosionColour : kRed;
        for (size_t i = 0; i < ages.size(); ++i) EXPECT_GT(screen.count(colour, rowRect(i)), 0);
        ASSERT_EQ(list.size(), left.size());
        for (size_t i = 0; i < left.size(); ++i) {
            EXPECT_EQ(list[i].rect.y, rowRect(static_cast<size_t>(left[i])).y);
            EXPECT_DOUBLE_EQ(list[i].age, ages[static_cast<size_t>(left[i])] + delta);
        }
    }
}

// A number is red for an enemy's blow (0) and green otherwise; an explosion's text is never
// drawn. Nothing shows outside the record's box.
TEST_F(Effects, ColourFollowsWhatTheRecordIs) {
    const SDL_Color all[] = {kRed, kGreen, kPaleYellow, kExplosionColour};
    const struct {
        bool explosion;
        int32_t fromPlayer;
        int shown;  // index in `all`
    } cases[] = {{false, 0, 0}, {false, 1, 1}, {false, 7, 1}, {true, 1, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.explosion << " " << c.fromPlayer);
        screen.clear();
        state.floatingNumbers.clear();
        const SDL_Rect rect = c.explosion ? SDL_Rect{650, 350, 50, 50} : SDL_Rect{300, 500, 30, 12};
        std::vector<Effect>& list = c.explosion ? state.explosions : state.floatingNumbers;
        list.push_back({rect, c.explosion ? "NULL" : "150", 0.0, c.fromPlayer});
        updateFloatingNumbers(state, 0.01);
        updateExplosions(state, 0.01);
        for (int colour = 0; colour < 4; ++colour) {
            EXPECT_EQ(countOutside(all[colour], rect), 0);
            EXPECT_EQ(screen.count(all[colour], rect) > 0, colour == c.shown);
        }
    }
}

}  // namespace
