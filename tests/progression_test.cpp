#include "combat/progression.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "combat/buttons.h"
#include "support/rules.h"

namespace {

using std::make_tuple;
using std::tie;
class Progression : public Screen {};

// Rows: experience and threshold, then both and the level after each frame.
TEST_F(Progression, AtMostOneLevelPerFrame) {
    const std::tuple<int, int, std::vector<std::tuple<int, int, int>>> cases[] = {
        {100, 10, {{90, 20, 2}, {70, 30, 3}, {40, 40, 4}, {0, 50, 5}, {0, 50, 5}}},
        {9, 10, {{9, 10, 1}}},
        {40, 40, {{0, 50, 2}}}};
    for (const auto& [experience, needed, frames] : cases) {
        tie(state.player.level, state.player.attack, state.player.experience,
            state.experienceNeeded) = make_tuple(1, 5, experience, needed);
        for (const auto& [experienceAfter, neededAfter, level] : frames) {
            checkLevelUp(state);
            EXPECT_EQ(tie(state.player.experience, state.experienceNeeded, state.player.level,
                          state.player.attack),
                      make_tuple(experienceAfter, neededAfter, level, 5 * level));
        }
    }
}

// The green number (attack before any Vrask bonus), pose, sound, and the enemies' turn.
TEST_F(Progression, FinishActionByButton) {
    SDL_Texture* const poses[] = {state.assets.playerAttacking, state.assets.playerBlocking,
                                  state.assets.playerStanding};
    Mix_Chunk* const sounds[] = {state.assets.buttonSound, state.assets.vraskSound, nullptr};
    state.player.texture = poses[1];
    const GameState start = state;
    const std::tuple<size_t, int32_t, int, int32_t, int32_t, int32_t, int> cases[] = {
        // position, Vrask, then pose, attack, health, Vrask, sound (indexes in poses and sounds)
        {kAttackButton, 1, 0, 5, 100, 1, 0}, {kBlockButton, 1, 1, 5, 100, 1, 0},
        {kVraskButton, 3, 2, 6, 160, 2, 1},  {kVraskButton, 1, 2, 6, 160, 0, 1},
        {kVraskButton, 0, 1, 5, 100, 0, 2},  {kVraskButton, -2, 1, 5, 100, -2, 2},
        {size_t{7}, 1, 1, 5, 100, 1, 2}};
    const std::vector<int> draws = drawsAfter(5, 2);
    for (const auto& [position, vrask, pose, attack, health, vraskAfter, sound] : cases) {
        SCOPED_TRACE(testing::Message() << "position " << position << " vrask " << vrask);
        state = start;
        state.vraskCount = vrask;
        Mix_HaltChannel(-1);
        std::srand(5);
        finishAction(state, position);
        EXPECT_EQ(screen.playing(),
                  sound == 2 ? std::vector<Mix_Chunk*>{} : std::vector<Mix_Chunk*>{sounds[sound]});
        EXPECT_EQ(tie(state.player.texture, state.player.attack, state.player.health,
                      state.vraskCount, state.enemiesAnswered),
                  make_tuple(poses[pose], attack, health, vraskAfter, false));
        ASSERT_EQ(state.floatingNumbers.size(), 1u);
        const Effect& n = state.floatingNumbers[0];
        EXPECT_EQ(make_tuple(n.text, n.rect.x, n.rect.y, n.rect.w, n.rect.h, n.fromPlayer),
                  make_tuple("5", 200 + draws[0] % 550, 240 + draws[1] % 550, 30, 12, 1));
    }
}

// Exactly 0 is still alive; threshold, selection, turn, timer, pose and effects stay.
TEST_F(Progression, DeathBelowZeroRestartsTheStatisticsAndTheWave) {
    Entity& p = state.player;
    for (const int32_t health : {0, -1}) {
        SCOPED_TRACE(health);
        tie(p.health, p.level, p.attack, p.experience, p.texture, state.vraskCount,
            state.experienceNeeded, state.selectedTarget, state.enemiesAnswered, state.clickTimer) =
            make_tuple(health, 4, 30, 7, state.assets.playerAttacking, 9, 40, 5u, false, 0.03);
        state.enemies.assign(3, enemyAt(650.0f, 350.0f, 3, 5000, 550, 50));
        state.floatingNumbers.assign(2, Effect{});
        resetAfterDeath(state);
        const bool dead = health < 0;
        EXPECT_EQ(tie(p.health, p.level, p.attack, p.experience, state.vraskCount),
                  dead ? make_tuple(100, 1, 5, 0, 1) : make_tuple(health, 4, 30, 7, 9));
        EXPECT_EQ(make_tuple(state.enemies.size(), state.enemies[0].x),
                  dead ? make_tuple(size_t{1}, 600.0f) : make_tuple(size_t{3}, 650.0f));
        EXPECT_EQ(make_tuple(state.experienceNeeded, state.selectedTarget, state.enemiesAnswered,
                             state.clickTimer, p.texture, state.floatingNumbers.size()),
                  make_tuple(40, 5u, false, 0.03, state.assets.playerAttacking, size_t{2}));
    }
}

}  // namespace
