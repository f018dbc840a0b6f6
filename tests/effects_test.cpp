#include "render/effects.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "render/text.h"
#include "support/rules.h"

namespace {

// Each record is aged by the frame delta, drawn, then erased once its age passes its lifetime
// (0.5 s for a number, 0.2 s for an explosion): drawn in the frame it expires in, and the
// records left keep their order. A number is red for an enemy's blow (fromPlayer 0) and green
// for anything else; an explosion shows its picture, never its text or any colour of the text.
TEST_F(Screen, EffectsAgeDrawAndExpire) {
    // explosions?, ages before the frame, frame delta, records left
    const std::tuple<bool, std::vector<double>, double, std::vector<size_t>> cases[] = {
        {false, {0.25, 0.3, 0.0, 0.26}, 0.25, {0, 2}},  // 0.5 is not past the lifetime
        {false, {0.45, 0.1, 0.0, 0.0}, 0.1, {1, 2, 3}},
        {false, {0.45, 0.42, 0.0, 0.3}, 0.1, {2, 3}},  // two neighbours expire together
        {true, {0.1, 0.15, 0.0}, 0.1, {0, 2}},
        {true, {0.0}, 0.3, {}}};
    const auto row = [](size_t i) { return SDL_Rect{10, 10 + 30 * static_cast<int>(i), 30, 12}; };
    for (const auto& [explosions, ages, delta, left] : cases) {
        SCOPED_TRACE(testing::Message() << explosions << " " << ages.size() << " " << delta);
        screen.clear();
        state.floatingNumbers.clear();
        state.explosions.clear();
        std::vector<Effect>& list = explosions ? state.explosions : state.floatingNumbers;
        for (size_t i = 0; i < ages.size(); ++i)
            list.push_back({row(i), "88", ages[i], static_cast<int32_t>(i % 3)});
        updateFloatingNumbers(state, delta);
        updateExplosions(state, delta);
        const SDL_Rect all{10, 10, 30, 30 * static_cast<int>(ages.size())};
        for (const SDL_Color colour : {kRed, kGreen, kExplosionColour})
            EXPECT_EQ(countOutside(colour, all), 0);
        for (size_t i = 0; i < ages.size(); ++i) {
            const SDL_Color shown = explosions ? kExplosionColour : i % 3 == 0 ? kRed : kGreen;
            const SDL_Color other = explosions ? kRed : i % 3 == 0 ? kGreen : kRed;
            EXPECT_EQ(screen.count(shown, row(i)) > 0 && screen.count(other, row(i)) == 0, true);
        }
        ASSERT_EQ(list.size(), left.size());
        for (size_t i = 0; i < left.size(); ++i) {
            EXPECT_EQ(list[i].rect.y, row(left[i]).y);
            EXPECT_DOUBLE_EQ(list[i].age, ages[left[i]] + delta);
        }
    }
}

}  // namespace
