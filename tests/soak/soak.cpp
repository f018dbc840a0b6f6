// A long run of the real frame steps with random input, checked after every frame and click
// against the invariants of the rules. Prints frames per second and peak memory.
//
//   brannoch_soak FRAMES [--render] [--seed N]
//
// Without --render the program-wide renderer and the assets are null, so every drawing call is
// refused at once and the run soaks the rules. With --render the frames draw with SDL's software
// renderer into a surface, with the real font and the pictures and sounds of the asset folder
// (audio through SDL's dummy driver).
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

constexpr int kBandEdges[] = {4, 5, 6, 9, 10, 11, 19, 20, 21, 39, 40, 41, 99, 100};
constexpr double kDeltaEdges[] = {0.0, 0.1, 0.2, 0.3};

int pick(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// Every 1,000 frames: somewhere a long game could take the player, so that every wave band, the
// deaths and the saturating sums at the 32-bit limits are soaked too.
void jump(GameState& state) {
    Entity& player = state.player;
    switch (pick(0, 2)) {
        case 0:  // any level, the edges of the wave bands above all
            player.level = pick(0, 1) == 0 ? kBandEdges[pick(0, 13)] : pick(1, 120);
            player.attack = pick(5, 5000);
            player.experience = pick(0, 100000);  // a surplus: one level-up a frame for a while
            state.experienceNeeded = 10 * player.level;
            break;
        case 1:  // the top of every statistic
            player.health = INT32_MAX - pick(0, 100);
            player.attack = INT32_MAX - pick(0, 100);
            player.experience = INT32_MAX - pick(0, 100);
            state.experienceNeeded = INT32_MAX - pick(0, 200);
            state.vraskCount = INT32_MAX - pick(0, 100);
            break;
        default:  // on the edge of death, with no Vrask
            player.health = pick(0, 10);
            state.vraskCount = 0;
            break;
    }
}

// What a soak has seen, printed at the end so that a reader knows what was covered.
struct Tally {
    long deaths = 0, kills = 0, levelUps = 0, refills = 0, vraskUses = 0;
    size_t largestWave = 0;
};

// Keeps the first breach, worded as the condition that failed.
#define EXPECT(condition) expect(fault, (condition), #condition)

void expect(std::string& fault, bool holds, const char* condition) {
    if (fault.empty() && !holds) fault = condition;
}

// Sums are worked out in 64 bits and clamped once: every statistic saturates, never wraps.
int32_t clamp32(int64_t wide) {
    return static_cast<int32_t>(std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX));
}

bool noneNegative(const GameState& state) {
    const Entity& p = state.player;
    return p.health >= 0 && p.level >= 1 && p.attack >= 0 && p.experience >= 0 &&
           state.vraskCount >= 0 && state.experienceNeeded > 0;
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

// Checks one call of runFrameSteps against the invariants the rules promise, from `before`, the
// state at the frame's start. Returns the first breach found, or an empty text.
std::string checkFrame(const GameState& before, const GameState& after, double frameDelta,
                       Tally& tally) {
    std::string fault;
    const Entity& was = before.player;
    const Entity& now = after.player;

    // The events the frame allows: at most one level-up; after an action every enemy strikes
    // once; the enemies at 0 health or below fall, give their level as experience, may drop Vrask.
    const int64_t levelUp = was.experience >= before.experienceNeeded ? 1 : 0;
    const bool strikes = !before.enemiesAnswered;
    int64_t blows = 0;
    int64_t gained = 0;
    std::vector<int32_t> drops;
    for (const Entity& enemy : before.enemies) {
        blows += strikes ? enemy.attack : 0;
        if (enemy.health <= 0) {
            gained += enemy.level;
            drops.push_back(vraskDrop(enemy.type));
        }
    }
    const size_t standing = before.enemies.size() - drops.size();
    const bool died = was.health - blows < 0;
    tally.kills += static_cast<long>(drops.size());
    tally.levelUps += levelUp;
    tally.deaths += died;

    EXPECT(!after.enemies.empty() && after.enemies.size() <= 3);
    EXPECT(noneNegative(after));
    EXPECT(after.experienceNeeded == clamp32(before.experienceNeeded + 10 * levelUp));
    if (died) {
        EXPECT(now.health == 100 && now.level == 1 && now.attack == 5 && now.experience == 0);
        EXPECT(after.vraskCount == 1);
        EXPECT(after.enemies.size() == 1 && after.enemies[0].type == 0);
    } else {
        EXPECT(now.health == clamp32(was.health - blows));
        EXPECT(now.level == clamp32(was.level + levelUp));
        EXPECT(now.attack == clamp32(was.attack + 5 * levelUp));
        EXPECT(now.experience ==
               clamp32(was.experience - levelUp * before.experienceNeeded + gained));
        EXPECT(standing == 0 || after.enemies.size() == standing);

        // Each kill's roll paid its drop or nothing; an emptied list pays one Vrask for the refill.
        const int64_t refill = standing == 0;
        bool vraskExplained = false;
        for (unsigned paid = 0; paid < (1u << drops.size()); ++paid) {
            int64_t sum = before.vraskCount + refill;
            for (size_t k = 0; k < drops.size(); ++k) sum += ((paid >> k) & 1u) ? drops[k] : 0;
            vraskExplained = vraskExplained || clamp32(sum) == after.vraskCount;
        }
        EXPECT(vraskExplained);
        tally.refills += refill;
    }

    // This frame's red numbers are made after the numbers age; its explosions before the
    // explosions age, so a frame longer than their lifetime leaves none.
    EXPECT(agedRight(before.floatingNumbers, after.floatingNumbers, frameDelta,
                     kFloatingNumberLifetime, strikes ? before.enemies.size() : 0));
    EXPECT(agedRight(before.explosions, after.explosions, frameDelta, kExplosionLifetime,
                     frameDelta <= kExplosionLifetime ? drops.size() : 0));
    tally.largestWave = std::max(tally.largestWave, after.enemies.size());
    return fault;
}

// Checks one pressButtons call; `vraskPressed` tells whether it was a left click on "Do Vrask!"
// once the click spacing had passed. Returns the first breach found, or an empty text.
std::string checkClick(const GameState& before, const GameState& after, bool vraskPressed,
                       Tally& tally) {
    std::string fault;
    // A frame always ends with enemies, so a press on "Do Vrask!" with Vrask in hand uses one.
    const int64_t used = vraskPressed && before.vraskCount > 0;
    tally.vraskUses += used;
    EXPECT(after.vraskCount == before.vraskCount - used);
    EXPECT(after.player.attack == clamp32(before.player.attack + used));
    EXPECT(after.player.level == before.player.level);
    EXPECT(after.player.experience == before.player.experience);
    EXPECT(noneNegative(after));
    return fault;
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

    // Start-up's values; the first frame finds no enemies.
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

    Tally tally;
    const auto start = std::chrono::steady_clock::now();
    for (long frame = 1; frame <= frames; ++frame) {
        if (frame % 1000 == 0) jump(state);
        keys[SDL_SCANCODE_DOWN] = pick(0, 9) == 0 ? 1 : 0;
        // Any delta in [0, 0.3] s, now and then exactly an edge of the click spacing or a lifetime.
        const double frameDelta = pick(0, 19) == 0
                                      ? kDeltaEdges[pick(0, 3)]
                                      : std::uniform_real_distribution<double>(0.0, 0.3)(rng);
        const GameState beforeFrame = state;
        runFrameSteps(state, frameDelta);
        std::string fault = checkFrame(beforeFrame, state, frameDelta, tally);

        // The frame's own click step found no mouse down; the random click comes right after it,
        // where it would have acted (the steps after it never look at what an action changed).
        // Mostly on or just past a button (Attack and Block twice as often as Vrask), else
        // anywhere; now and then with the right button.
        const Button& button = state.buttons[static_cast<size_t>(pick(0, 4) % 3)];
        const bool anywhere = pick(0, 9) == 0;
        const int mouseX = anywhere ? pick(-50, 850) : pick(button.x - 2, button.x + button.w + 2);
        const int mouseY = anywhere ? pick(-50, 850) : pick(button.y - 2, button.y + button.h + 2);
        const uint32_t mask = pick(0, 9) == 0 ? SDL_BUTTON_RMASK : SDL_BUTTON_LMASK;
        const Button& vrask = state.buttons[kVraskButton];
        const bool vraskPressed = state.clickTimer >= kClickInterval && mask == SDL_BUTTON_LMASK &&
                                  mouseX >= vrask.x && mouseX <= vrask.x + vrask.w &&
                                  mouseY >= vrask.y && mouseY <= vrask.y + vrask.h;
        const GameState beforeClick = state;
        pressButtons(state, mouseX, mouseY, mask);
        if (fault.empty()) fault = checkClick(beforeClick, state, vraskPressed, tally);
        if (!fault.empty()) {
            std::printf("FAIL at frame %ld (seed %lu): %s\n", frame, seed, fault.c_str());
            return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "soak%s: %ld frames in %.1f s: %.0f frames/s, peak memory %.1f MiB\n"
        "  seed %lu; %ld kills, %ld Vrask uses, %ld refills, %ld deaths, %ld level-ups, "
        "waves up to %zu\n",
        rendered ? " (software renderer, font)" : " (null renderer)", frames, seconds,
        static_cast<double>(frames) / seconds, static_cast<double>(usage.ru_maxrss) / 1024, seed,
        tally.kills, tally.vraskUses, tally.refills, tally.deaths, tally.levelUps,
        tally.largestWave);
    return 0;
}
