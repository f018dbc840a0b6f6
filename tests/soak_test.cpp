// Long random play through the real frame steps, every frame and click checked against what
// the rules allow: the first frames drawn on the software screen with sound, the rest with no
// renderer and no assets (every drawing and sound call is then refused at once), so that many
// frames fit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "combat/buttons.h"
#include "combat/enemy_pass.h"
#include "combat/frame_steps.h"
#include "combat/progression.h"
#include "game/globals.h"
#include "render/effects.h"
#include "support/rules.h"

namespace {

int32_t clamp32(int64_t wide) {
    return static_cast<int32_t>(std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX));
}

// After one aging by `delta`, `now` holds the records of `was` still in their lifetime, then
// `made` new ones, and none past it.
bool agedRight(const std::vector<Effect>& was, const std::vector<Effect>& now, double delta,
               double lifetime, size_t made) {
    const auto kept = std::count_if(was.begin(), was.end(),
                                    [&](const Effect& e) { return e.age + delta <= lifetime; });
    return now.size() == static_cast<size_t>(kept) + made &&
           std::all_of(now.begin(), now.end(), [&](const Effect& e) { return e.age <= lifetime; });
}

// One frame from `was` to `now`, held against the rules of blows, kills, levels and effects.
void checkFrame(const GameState& was, const GameState& now, double delta) {
    int64_t blows = 0, gained = 0;
    size_t dead = 0;
    for (const Entity& enemy : was.enemies) {
        blows += was.enemiesAnswered ? 0 : enemy.attack;
        gained += enemy.health <= 0 ? enemy.level : 0;
        dead += enemy.health <= 0;
    }
    const int64_t up = was.player.experience >= was.experienceNeeded;
    const Entity &p = now.player, &q = was.player;
    ASSERT_TRUE(!now.enemies.empty() && now.enemies.size() <= 3);
    ASSERT_EQ(now.experienceNeeded, clamp32(was.experienceNeeded + 10 * up));
    if (q.health - blows < 0) {  // the death reset
        ASSERT_EQ(std::make_tuple(p.health, p.level, p.attack, p.experience, now.vraskCount),
                  std::make_tuple(100, 1, 5, 0, 1));
    } else {
        ASSERT_EQ(std::make_tuple(p.health, p.level, p.attack, p.experience),
                  std::make_tuple(clamp32(q.health - blows), clamp32(q.level + up),
                                  clamp32(q.attack + 5 * up),
                                  clamp32(q.experience - up * was.experienceNeeded + gained)));
        ASSERT_GE(now.vraskCount, clamp32(was.vraskCount + (dead == was.enemies.size())));
    }
    // The frame's red numbers come after the numbers age; its explosions before they age.
    ASSERT_TRUE(agedRight(was.floatingNumbers, now.floatingNumbers, delta,
                          kFloatingNumberLifetime, was.enemiesAnswered ? 0 : was.enemies.size()));
    ASSERT_TRUE(agedRight(was.explosions, now.explosions, delta, kExplosionLifetime,
                          delta <= kExplosionLifetime ? dead : 0));
}

// Every 1,000 frames the player jumps somewhere a long game could take them: any level (the
// edges of the wave bands above all) with a surplus to spend, the top of every statistic, or
// the edge of death with no Vrask.
void jump(GameState& state, std::mt19937& rng) {
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    constexpr int kBandEdges[] = {4, 5, 6, 9, 10, 11, 19, 20, 21, 39, 40, 41, 99, 100};
    Entity& p = state.player;
    const int kind = pick(0, 2), top = INT32_MAX - pick(0, 100);
    if (kind == 0) {
        p.level = pick(0, 1) == 0 ? kBandEdges[pick(0, 13)] : pick(1, 120);
        std::tie(p.attack, p.experience) = std::make_tuple(pick(5, 5000), pick(0, 100000));
        state.experienceNeeded = 10 * p.level;
    } else if (kind == 1) {
        p.health = p.attack = p.experience = state.vraskCount = top;
        state.experienceNeeded = top - 100;
    } else {
        std::tie(p.health, state.vraskCount) = std::make_tuple(pick(0, 10), 0);
    }
}

TEST_F(Screen, RandomPlayKeepsTheRules) {
    std::mt19937 rng(20240607);
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    std::srand(7);
    Uint8 keys[SDL_NUM_SCANCODES] = {};
    keyboardState = keys;
    for (int frame = 1; frame <= 100000 && !HasFatalFailure(); ++frame) {
        if (frame == 300) std::tie(renderer, state.assets) = std::make_tuple(nullptr, AssetSet{});
        if (frame % 1000 == 0) jump(state, rng);
        keys[SDL_SCANCODE_DOWN] = pick(0, 9) == 0;
        // Any delta up to 0.3 s, now and then exactly an edge of the click spacing or a lifetime.
        const double delta = pick(0, 19) == 0 ? 0.1 * pick(0, 3)
                                              : std::uniform_real_distribution<>(0, 0.3)(rng);
        const GameState was = state;
        runFrameSteps(state, delta);
        checkFrame(was, state, delta);
        // The frame's own click step found no mouse down: the click comes right after it, mostly
        // on or just past a button, now and then anywhere or with the right button.
        const Button& b = state.buttons[static_cast<size_t>(pick(0, 4) % 3)];
        const bool anywhere = pick(0, 9) == 0;
        const int x = anywhere ? pick(-50, 850) : pick(b.x - 2, b.x + b.w + 2);
        const int y = anywhere ? pick(-50, 850) : pick(b.y - 2, b.y + b.h + 2);
        const uint32_t mask = pick(0, 9) == 0 ? SDL_BUTTON_RMASK : SDL_BUTTON_LMASK;
        const Button& v = state.buttons[kVraskButton];
        const int64_t used = state.clickTimer >= kClickInterval && mask == SDL_BUTTON_LMASK &&
                             x >= v.x && x <= v.x + v.w && y >= v.y && y <= v.y + v.h &&
                             state.vraskCount > 0;
        const GameState clicked = state;
        pressButtons(state, x, y, mask);
        ASSERT_EQ(std::make_tuple(state.vraskCount, state.player.attack),
                  std::make_tuple(clicked.vraskCount - used,
                                  clamp32(clicked.player.attack + used)))
            << "frame " << frame;
    }
    keyboardState = nullptr;
}

}  // namespace
