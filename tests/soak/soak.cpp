// A long run of the real frame steps with random input, checked after every frame against the
// game's rules as the player sees them. Prints frames per second and peak memory.
//
//   brannoch_soak FRAMES [--render] [--seed N]
//
// Without --render the program-wide renderer and the assets are null, so every drawing call is
// refused at once and the run soaks the rules. With --render the frames draw with SDL's software
// renderer into a surface, with the real font and whatever pictures and sounds the asset folder
// holds (audio through SDL's dummy driver).
#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "combat/buttons.h"
#include "rule_checks.h"
#include "shell/frame_loop.h"
#include "shell/globals.h"
#include "world/enemy_waves.h"
#include "world/map_loader.h"

namespace {

// Occasionally moves the player somewhere a long game could take it (high levels, the 32-bit
// limits), so that every wave band and the saturating sums are soaked too.
void jump(GameState& state, std::mt19937& random) {
    auto pick = [&random](int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    Entity& player = state.player;
    switch (pick(0, 3)) {
        case 0: {  // any level, the edges of the wave bands above all
            static constexpr int32_t kEdges[] = {4,  5,  6,  9,  10, 11, 19,
                                                 20, 21, 39, 40, 41, 99, 100};
            player.level = pick(0, 1) == 0 ? kEdges[pick(0, 13)] : pick(1, 120);
            player.attack = pick(5, 5000);
            player.health = pick(0, 100000);
            break;
        }
        case 1:  // near the top of every statistic
            player.health = INT32_MAX - pick(0, 100);
            player.attack = INT32_MAX - pick(0, 100);
            player.experience = INT32_MAX - pick(0, 100);
            state.vraskCount = INT32_MAX - pick(0, 100);
            break;
        case 2:  // on the edge of death, with no Vrask
            player.health = pick(0, 10);
            state.vraskCount = 0;
            break;
        default:  // a large surplus of experience: one level per frame
            player.experience = pick(0, 100000);
            break;
    }
}

// A random pointer: mostly on a button (edges included), else anywhere, just past an edge, or
// with only the right button down.
void randomMouse(const GameState& state, std::mt19937& random, int& mouseX, int& mouseY,
                 uint32_t& mask) {
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    mask = SDL_BUTTON_LMASK;
    const int choice = pick(0, 99);
    const Button& button = state.buttons[static_cast<size_t>(choice < 40 ? 0 : choice % 3)];
    if (choice < 70) {
        mouseX = button.x + pick(0, button.w);
        mouseY = button.y + pick(0, button.h);
    } else if (choice < 80) {
        mouseX = pick(-50, 850);
        mouseY = pick(-50, 850);
    } else if (choice < 90) {
        mouseX = pick(0, 1) == 0 ? button.x - 1 : button.x + button.w + 1;
        mouseY = button.y + pick(0, button.h);
    } else {
        mouseX = button.x + pick(0, button.w);
        mouseY = button.y + pick(0, button.h);
        mask = pick(0, 1) == 0 ? SDL_BUTTON_RMASK : SDL_BUTTON_MMASK;
    }
}

double randomDelta(std::mt19937& random) {
    // Mostly any delta in [0, 0.3]; now and then exactly an edge of the click spacing or of a
    // lifetime.
    static constexpr double kEdges[] = {0.0, 0.1, 0.2, 0.3};
    if (std::uniform_int_distribution<int>(0, 19)(random) == 0) {
        return kEdges[std::uniform_int_distribution<size_t>(0, 3)(random)];
    }
    return std::uniform_real_distribution<double>(0.0, 0.3)(random);
}

// The rendered run's surroundings: a software renderer over a surface, the audio on SDL's
// dummy driver, the assets read from the asset folder.
struct RenderedWorld {
    SDL_Surface* surface = nullptr;
    bool audio = false;

    bool open(GameState& state) {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) == 0) {
            audio = true;
        }
        TTF_Init();
        surface = SDL_CreateRGBSurfaceWithFormat(0, 800, 800, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer = SDL_CreateSoftwareRenderer(surface);
        if (renderer == nullptr) return false;
        char previous[4096];
        if (getcwd(previous, sizeof previous) == nullptr || chdir(BRANNOCH_ASSET_DIR) != 0) {
            return false;
        }
        state.assets = loadAssets();
        const bool changedBack = chdir(previous) == 0;
        state.player.texture = state.assets.playerStanding;
        return changedBack && state.assets.font != nullptr;
    }

    void close(GameState& state) {
        releaseAssets(state.assets);
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        SDL_FreeSurface(surface);
        TTF_Quit();
        if (audio) Mix_CloseAudio();
        SDL_Quit();
    }
};

long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    long frames = 0;
    bool rendered = false;
    unsigned seed = 20240607;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--render") == 0) {
            rendered = true;
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            frames = std::strtol(argv[i], nullptr, 10);
        }
    }
    if (frames <= 0) {
        std::fprintf(stderr, "usage: %s FRAMES [--render] [--seed N]\n", argv[0]);
        return 2;
    }

    std::srand(seed);
    std::mt19937 random(seed);
    Uint8 keys[SDL_NUM_SCANCODES] = {};
    keyboardState = keys;

    // The start-up values, and the player at the shipped map's mark; the first frame finds
    // the enemy list empty.
    GameState state;
    placePlayer(state.player, 200.0f, 240.0f, 0);
    makeButtons(state.buttons);
    RenderedWorld world;
    if (rendered && !world.open(state)) {
        std::fprintf(stderr, "FAIL: no software renderer or no font: %s\n", SDL_GetError());
        return 1;
    }

    Tally tally;
    const auto start = std::chrono::steady_clock::now();
    for (long frame = 1; frame <= frames; ++frame) {
        if (frame % 1000 == 0) {
            jump(state, random);
            ++tally.jumps;
        }
        const bool down = std::uniform_int_distribution<int>(0, 9)(random) == 0;
        keys[SDL_SCANCODE_DOWN] = down ? 1 : 0;
        tally.downPresses += down ? 1 : 0;
        const double frameDelta = randomDelta(random);

        const GameState beforeFrame = state;
        if (rendered) {
            SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
            SDL_RenderClear(renderer);
        }
        runFrameSteps(state, frameDelta);
        std::string fault = checkFrame(beforeFrame, state, frameDelta, down, tally);

        // The frame's own click step polled a mouse that is never down here; the random click
        // comes right after it, which is where it would have acted: the death check and the
        // wave refill that follow it never look at what an action changed.
        if (fault.empty()) {
            int mouseX = 0;
            int mouseY = 0;
            uint32_t mask = 0;
            randomMouse(state, random, mouseX, mouseY, mask);
            const GameState beforeClick = state;
            pressButtons(state, mouseX, mouseY, mask);
            fault = checkClick(beforeClick, state, mouseX, mouseY, mask, tally);
        }
        if (!fault.empty()) {
            std::printf("FAIL at frame %ld (seed %u): %s\n", frame, seed, fault.c_str());
            return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (rendered) world.close(state);

    std::printf("soak%s: %ld frames in %.1f s: %.0f frames/s, peak memory %.1f MiB\n",
                rendered ? " (software renderer, font)" : " (null renderer)", frames, seconds,
                static_cast<double>(frames) / seconds,
                static_cast<double>(peakMemoryKiB()) / 1024.0);
    std::printf(
        "  seed %u; %ld actions, %ld Vrask uses, %ld kills, %ld refills, %ld deaths, %ld level-ups,"
        " %ld Down frames, %ld jumps; highest level %d, largest wave %zu, kinds seen",
        seed, tally.actions, tally.vraskUses, tally.kills, tally.refills, tally.deaths,
        tally.levelUps, tally.downPresses, tally.jumps, tally.highestLevel, tally.largestWave);
    for (int kind = 0; kind < kEnemyKindCount; ++kind) {
        if (tally.kindSeen[kind]) std::printf(" %d", kind);
    }
    std::printf("\n");

    // A kill pays its drop 49 times in 100; over many known rolls the share must be close.
    if (tally.loneRolls >= 10000) {
        const double share =
            static_cast<double>(tally.lonePaid) / static_cast<double>(tally.loneRolls);
        std::printf("  %ld of %ld single kills paid their Vrask (%.3f)\n", tally.lonePaid,
                    tally.loneRolls, share);
        if (share < 0.47 || share > 0.51) {
            std::printf("FAIL: a kill should pay its Vrask 49 times in 100\n");
            return 1;
        }
    }
    return 0;
}
