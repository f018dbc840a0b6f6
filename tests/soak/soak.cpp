// A long run of the real frame steps with random input, checked after every frame and click
// against the invariants of the rules. Prints frames per second and peak memory.
//
//   brannoch_soak FRAMES [--render] [--seed N]
//
// Without --render the program-wide renderer and the assets are null, so every drawing call is
// refused at once and the run soaks the rules. With --render the frames draw on the software
// screen with the real font, pictures and sounds (audio through SDL's dummy driver).
#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "combat/buttons.h"
#include "combat/enemy_pass.h"
#include "combat/frame_steps.h"
#include "combat/new_game.h"
#include "combat/progression.h"
#include "game/globals.h"
#include "render/effects.h"
#include "software_screen.h"

namespace {

std::mt19937 rng;

int pick(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// Every 1,000 frames: somewhere a long game could take the player, so that every wave band, the
// deaths and the saturating sums at the 32-bit limits are soaked too.
void jump(GameState& state) {
    constexpr int kBandEdges[] = {4, 5, 6, 9, 10, 11, 19, 20, 21, 39, 40, 41, 99, 100};
    Entity& p = state.player;
    const int top = INT32_MAX - pick(0, 100);
    switch (pick(0, 2)) {
        case 0:  // any level, the edges of the wave bands above all, with a surplus to spend
            p.level = pick(0, 1) == 0 ? kBandEdges[pick(0, 13)] : pick(1, 120);
            p.attack = pick(5, 5000);
            p.experience = pick(0, 100000);
            state.experienceNeeded = 10 * p.level;
            break;
        case 1:  // the top of every statistic
            p.health = p.attack = p.experience = state.vraskCount = top;
            state.experienceNeeded = top - 100;
            break;
        default:  // on the edge of death, with no Vrask
            p.health = pick(0, 10);
            state.vraskCount = 0;
            break;
    }
}

int32_t clamp32(int64_t wide) {
    return static_cast<int32_t>(std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX));
}

// Every record lives until its age passes `lifetime`, and not a frame longer: `after` holds the
// records of `before` that one aging by `frameDelta` keeps, then `made` new ones.
bool agedRight(const std::vector<Effect>& before, const std::vector<Effect>& after,
               double frameDelta, double lifetime, size_t made) {
    const auto kept = std::count_if(before.begin(), before.end(), [&](const Effect& e) {
        return e.age + frameDelta <= lifetime;
    });
    return after.size() == static_cast<size_t>(kept) + made &&
           std::all_of(after.begin(), after.end(),
                       [&](const Effect& e) { return e.age <= lifetime; });
}

// The first breach of the rules by one call of runFrameSteps from `was` to `now`, or nothing.
const char* checkFrame(const GameState& was, const GameState& now, double frameDelta) {
    int64_t blows = 0, gained = 0;
    size_t dead = 0;
    for (const Entity& enemy : was.enemies) {
        blows += was.enemiesAnswered ? 0 : enemy.attack;
        gained += enemy.health <= 0 ? enemy.level : 0;
        dead += enemy.health <= 0;
    }
    const int64_t levelUp = was.player.experience >= was.experienceNeeded ? 1 : 0;
    const Entity& p = now.player;
    if (now.enemies.empty() || now.enemies.size() > 3) return "one to three enemies";
    if (p.health < 0 || p.level < 1 || p.attack < 5 || now.vraskCount < 0) return "a negative";
    if (now.experienceNeeded != clamp32(was.experienceNeeded + 10 * levelUp)) return "threshold";
    if (was.player.health - blows < 0) {
        if (p.health != 100 || p.level != 1 || p.attack != 5 || p.experience != 0 ||
            now.vraskCount != 1 || now.enemies.size() != 1)
            return "the death reset";
    } else if (p.health != clamp32(was.player.health - blows) ||
               p.attack != clamp32(was.player.attack + 5 * levelUp) ||
               p.experience !=
                   clamp32(was.player.experience - levelUp * was.experienceNeeded + gained)) {
        return "health, attack or experience";
    } else if (now.vraskCount < clamp32(was.vraskCount + (dead == was.enemies.size()))) {
        return "the refill's Vrask";
    }
    // This frame's red numbers are made after the numbers age; its explosions before the
    // explosions age, so a frame longer than their lifetime leaves none.
    if (!agedRight(was.floatingNumbers, now.floatingNumbers, frameDelta, kFloatingNumberLifetime,
                   was.enemiesAnswered ? 0 : was.enemies.size()) ||
        !agedRight(was.explosions, now.explosions, frameDelta, kExplosionLifetime,
                   frameDelta <= kExplosionLifetime ? dead : 0))
        return "effects";
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    bool rendered = false;
    unsigned long seed = 20240607;
    for (int i = 2; i < argc; ++i) {
        rendered = rendered || std::string(argv[i]) == "--render";
        if (std::string(argv[i]) == "--seed" && i + 1 < argc) seed = std::stoul(argv[++i]);
    }
    if (frames <= 0) {
        std::fprintf(stderr, "usage: %s FRAMES [--render] [--seed N]\n", argv[0]);
        return 2;
    }
    std::srand(static_cast<unsigned>(seed));
    rng.seed(static_cast<std::mt19937::result_type>(seed));
    Uint8 keys[SDL_NUM_SCANCODES] = {};
    keyboardState = keys;

    std::optional<SoftwareScreen> screen;
    GameState state;
    if (rendered) {
        screen.emplace();
        state.assets = screen->realAssets();
        if (renderer == nullptr || state.assets.font == nullptr) {
            std::fprintf(stderr, "FAIL: no software renderer or no font: %s\n", SDL_GetError());
            return 1;
        }
    }
    prepareGame(state);

    long uses = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long frame = 1; frame <= frames; ++frame) {
        if (frame % 1000 == 0) jump(state);
        keys[SDL_SCANCODE_DOWN] = pick(0, 9) == 0 ? 1 : 0;
        // Any delta in [0, 0.3] s, now and then exactly an edge of the click spacing or a lifetime.
        const double frameDelta =
            pick(0, 19) == 0 ? 0.1 * pick(0, 3) : std::uniform_real_distribution<>(0, 0.3)(rng);
        const GameState was = state;
        runFrameSteps(state, frameDelta);
        const char* fault = checkFrame(was, state, frameDelta);

        // The frame's own click step found no mouse down; the random click comes right after it,
        // where it would have acted: mostly on or just past a button, else anywhere, now and
        // then with the right button. A press on "Do Vrask!" with Vrask in hand uses one.
        const Button& b = state.buttons[static_cast<size_t>(pick(0, 4) % 3)];
        const bool anywhere = pick(0, 9) == 0;
        const int x = anywhere ? pick(-50, 850) : pick(b.x - 2, b.x + b.w + 2);
        const int y = anywhere ? pick(-50, 850) : pick(b.y - 2, b.y + b.h + 2);
        const uint32_t mask = pick(0, 9) == 0 ? SDL_BUTTON_RMASK : SDL_BUTTON_LMASK;
        const Button& vrask = state.buttons[kVraskButton];
        const int64_t used = state.clickTimer >= kClickInterval && mask == SDL_BUTTON_LMASK &&
                             x >= vrask.x && x <= vrask.x + vrask.w && y >= vrask.y &&
                             y <= vrask.y + vrask.h && state.vraskCount > 0;
        const GameState clicked = state;
        pressButtons(state, x, y, mask);
        uses += used;
        if (fault == nullptr &&
            (state.vraskCount != clicked.vraskCount - used ||
             state.player.attack != clamp32(int64_t{clicked.player.attack} + used)))
            fault = "a Vrask use";
        if (fault != nullptr) {
            std::printf("FAIL at frame %ld (seed %lu): %s\n", frame, seed, fault);
            return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "soak%s: %ld frames in %.1f s: %.0f frames/s, peak memory %.1f MiB; seed %lu, "
        "%ld Vrask uses\n",
        rendered ? " (software renderer, font)" : " (null renderer)", frames, seconds,
        static_cast<double>(frames) / seconds, static_cast<double>(usage.ru_maxrss) / 1024, seed,
        uses);
    return 0;
}
