// Long random play through the frame steps: no crash, no undefined behaviour (under the
// sanitizers), the rules' bounds in any order. Frames after the 300th draw nothing, so many fit.
#include <gtest/gtest.h>

#include <random>

#include "combat/buttons.h"
#include "game/globals.h"
#include "render/effects.h"
#include "shell/frame_steps.h"
#include "support/rules.h"

namespace {

TEST_F(Screen, RandomPlayKeepsTheRulesBounds) {
    std::mt19937 rng(20240607);
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    std::srand(7);
    Entity& p = state.player;
    for (int frame = 1; frame <= 100000 && !HasFatalFailure(); ++frame) {
        if (frame == 300) std::tie(renderer, state.assets) = std::make_tuple(nullptr, AssetSet{});
        // Where a long game could go: any level with experience, the top, the edge of death.
        const int32_t jump = frame % 1000 == 0 ? pick(1, 3) : 0, top = INT32_MAX - pick(0, 100);
        if (jump == 1)
            std::tie(p.level, p.experience) = std::make_tuple(pick(1, 120), pick(0, 99999));
        if (jump == 2) p.health = p.attack = p.experience = state.vraskCount = top;
        if (jump == 3) std::tie(p.health, state.vraskCount) = std::make_tuple(pick(0, 10), 0);
        keys[SDL_SCANCODE_DOWN] = pick(0, 9) == 0;
        // Any delta up to 0.3 s, now and then exactly an edge of the click spacing or a lifetime.
        const double delta =
            pick(0, 19) == 0 ? 0.1 * pick(0, 3) : std::uniform_real_distribution<>(0, 0.3)(rng);
        runFrameSteps(state, delta);
        // The frame found no mouse down; a click comes right after, on or near a button.
        const Button& b = state.buttons[static_cast<size_t>(pick(0, 2))];
        const bool vrask = &b == &state.buttons[2] && state.clickTimer >= kClickInterval;
        const int32_t had = state.vraskCount;
        pressButtons(state, pick(b.x - 2, b.x + b.w + 2), pick(b.y - 2, b.y + b.h + 2),
                     pick(0, 9) == 0 ? SDL_BUTTON_RMASK : SDL_BUTTON_LMASK);
        ASSERT_TRUE(!state.enemies.empty() && state.enemies.size() <= 3) << frame;
        ASSERT_TRUE(p.health >= 0 && p.level >= 1 && p.attack >= 5 && p.experience >= 0) << frame;
        ASSERT_TRUE(state.vraskCount >= 0 && state.vraskCount >= had - vrask) << frame;
        for (const Effect& e : state.floatingNumbers) ASSERT_LE(e.age, kFloatingNumberLifetime);
        for (const Effect& e : state.explosions) ASSERT_LE(e.age, kExplosionLifetime);
    }
}

}  // namespace
