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

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "combat/buttons.h"
#include "combat/enemy_pass.h"
#include "render/effects.h"
#include "render/text.h"
#include "shell/frame_loop.h"
#include "shell/globals.h"
#include "world/enemy_waves.h"
#include "world/map_loader.h"

namespace {

// What the run has seen, printed at the end so that a reader knows what was covered.
struct Tally {
    long deaths = 0;
    long kills = 0;
    long levelUps = 0;
    long refills = 0;
    long actions = 0;
    long vraskUses = 0;
    long downPresses = 0;
    long jumps = 0;
    long loneRolls = 0;  // frames with one kill and no death or saturation: the roll is known
    long lonePaid = 0;
    size_t largestWave = 0;
    int32_t highestLevel = 0;
    bool kindSeen[kEnemyKindCount] = {};
};

int32_t clamp32(int64_t wide) {
    return static_cast<int32_t>(std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX));
}
int32_t plus(int32_t a, int32_t b) { return clamp32(int64_t{a} + b); }
int32_t minus(int32_t a, int32_t b) { return clamp32(int64_t{a} - b); }

// The first difference found, as text; empty while everything agrees.
class Findings {
  public:
    template <typename T>
    void same(const char* what, const T& expected, const T& actual) {
        if (!message_.empty() || expected == actual) return;
        std::ostringstream text;
        text << what << ": expected " << expected << ", got " << actual;
        message_ = text.str();
    }
    void require(bool holds, const std::string& what) {
        if (message_.empty() && !holds) message_ = what;
    }
    const std::string& message() const { return message_; }

  private:
    std::string message_;
};

void sameEnemy(Findings& findings, const Entity& expected, const Entity& actual) {
    findings.same("enemy x", expected.x, actual.x);
    findings.same("enemy y", expected.y, actual.y);
    findings.same("enemy health", expected.health, actual.health);
    findings.same("enemy level", expected.level, actual.level);
    findings.same("enemy attack", expected.attack, actual.attack);
    findings.same("enemy type", expected.type, actual.type);
}

// Highest enemy kind a wave may bring at the player's level (the kinds of the level bands).
int32_t highestKindAt(int32_t level) {
    if (level >= 6 && level <= 9) return 1;
    if (level >= 11 && level <= 19) return 2;
    if (level >= 21 && level <= 39) return 3;
    if (level >= 41 && level <= 99) return 4;
    return 0;
}

void checkFreshWave(Findings& findings, const std::vector<Entity>& wave, int32_t level) {
    const size_t largest = level < 5 ? 1 : 3;
    findings.require(!wave.empty() && wave.size() <= largest,
                     "a wave of " + std::to_string(wave.size()) + " at level " +
                         std::to_string(level));
    for (size_t i = 0; i < wave.size(); ++i) {
        const Entity& enemy = wave[i];
        findings.require(enemy.type >= 0 && enemy.type <= highestKindAt(level),
                         "enemy kind " + std::to_string(enemy.type) + " at level " +
                             std::to_string(level));
        if (enemy.type < 0 || enemy.type >= kEnemyKindCount) return;
        const EnemyKind& kind = kEnemyKinds[enemy.type];
        Entity expected;
        expected.x = 600.0f + 50.0f * static_cast<float>(i);
        expected.y = 300.0f + 50.0f * static_cast<float>(i);
        expected.health = kind.health;
        expected.level = kind.level;
        expected.attack = kind.attack;
        expected.type = enemy.type;
        sameEnemy(findings, expected, enemy);
        findings.same("enemy spawned mark", 1, enemy.spawned);
    }
}

// Effects after one aging pass: the records that stay, unchanged but older, then the new ones
// (`newTexts`, all at `newAge`), those too only while they are within the lifetime.
void checkEffects(Findings& findings, const std::string& what, const std::vector<Effect>& before,
                  const std::vector<Effect>& after, double frameDelta, double lifetime,
                  const std::vector<std::string>& newTexts, double newAge) {
    std::vector<Effect> expected;
    for (const Effect& effect : before) {
        if (effect.age + frameDelta > lifetime) continue;
        expected.push_back(effect);
        expected.back().age += frameDelta;
    }
    if (newAge <= lifetime) {
        for (const std::string& text : newTexts) {
            Effect effect;
            effect.text = text;
            effect.age = newAge;
            expected.push_back(effect);
        }
    }
    findings.same((what + " count").c_str(), expected.size(), after.size());
    for (size_t i = 0; i < expected.size() && i < after.size(); ++i) {
        findings.same((what + " age").c_str(), expected[i].age, after[i].age);
        findings.same((what + " text").c_str(), expected[i].text, after[i].text);
        findings.same((what + " colour").c_str(), expected[i].fromPlayer, after[i].fromPlayer);
        findings.require(after[i].age <= lifetime, what + " older than its lifetime");
    }
}

// Checks one call of runFrameSteps against the rules: `before` is the state at the frame's
// start, `downHeld` whether the Down arrow was held.
std::string checkFrame(const GameState& before, const GameState& after, double frameDelta,
                       bool downHeld, Tally& tally) {
    Findings findings;
    Entity player = before.player;
    int32_t needed = before.experienceNeeded;

    findings.same("clickTimer", before.clickTimer + frameDelta, after.clickTimer);

    uint32_t selected = before.selectedTarget;
    if (downHeld) {
        const auto count = static_cast<uint32_t>(before.enemies.size());
        // An empty list has no last enemy to wrap at: the selection just grows.
        selected = (count != 0 && selected + 1u >= count) ? 0u : selected + 1u;
    }
    findings.same("selectedTarget", selected, after.selectedTarget);

    if (player.experience >= needed) {
        player.level = plus(player.level, 1);
        player.experience = minus(player.experience, needed);
        player.attack = plus(player.attack, 5);
        needed = plus(needed, 10);
        ++tally.levelUps;
    }

    // The enemies answer the last action: every one strikes, then the fallen leave.
    const bool strikes = !before.enemiesAnswered;
    std::vector<Entity> standing;
    std::vector<int32_t> drops;
    for (const Entity& enemy : before.enemies) {
        if (strikes) player.health = minus(player.health, enemy.attack);
        if (enemy.health <= 0) {
            player.experience = plus(player.experience, enemy.level);
            drops.push_back(vraskDrop(enemy.type));
        } else {
            standing.push_back(enemy);
        }
    }
    tally.kills += static_cast<long>(drops.size());
    findings.same("enemiesAnswered", true, after.enemiesAnswered);

    const bool died = player.health < 0;
    int32_t refill = 0;
    if (died) {
        ++tally.deaths;
        player.health = 100;
        player.level = 1;
        player.attack = 5;
        player.experience = 0;
        findings.same("vraskCount after a death", 1, after.vraskCount);
        checkFreshWave(findings, after.enemies, 1);
    } else if (standing.empty()) {
        ++tally.refills;
        refill = 1;
        checkFreshWave(findings, after.enemies, player.level);
    } else {
        findings.same("enemy count", standing.size(), after.enemies.size());
        for (size_t i = 0; i < standing.size() && i < after.enemies.size(); ++i) {
            sameEnemy(findings, standing[i], after.enemies[i]);
        }
    }
    findings.require(after.enemies.size() <= 3,
                     std::to_string(after.enemies.size()) + " enemies after a frame");

    if (!died) {
        // Each fallen enemy's roll either paid its drop or did not, in list order.
        bool explained = false;
        for (unsigned paid = 0; paid < (1u << drops.size()) && !explained; ++paid) {
            int32_t count = before.vraskCount;
            for (size_t k = 0; k < drops.size(); ++k) {
                if ((paid >> k) & 1u) count = plus(count, drops[k]);
            }
            explained = plus(count, refill) == after.vraskCount;
        }
        const int64_t unpaid = int64_t{before.vraskCount} + refill;
        if (drops.size() == 1 && unpaid >= 0 && unpaid + drops[0] <= INT32_MAX) {
            ++tally.loneRolls;
            tally.lonePaid += after.vraskCount != unpaid ? 1 : 0;
        }
        findings.require(explained, "vraskCount went from " + std::to_string(before.vraskCount) +
                                        " to " + std::to_string(after.vraskCount) + " with " +
                                        std::to_string(drops.size()) + " kills and refill " +
                                        std::to_string(refill));
    }

    findings.same("health", player.health, after.player.health);
    findings.same("level", player.level, after.player.level);
    findings.same("attack", player.attack, after.player.attack);
    findings.same("experience", player.experience, after.player.experience);
    findings.same("experienceNeeded", needed, after.experienceNeeded);
    findings.same("player x", before.player.x, after.player.x);
    findings.same("player y", before.player.y, after.player.y);
    findings.require(before.player.texture == after.player.texture, "the pose changed in a frame");

    // Numbers age before the enemies strike, so this frame's red numbers are still at age 0;
    // explosions age after the enemies fall, so this frame's are at the frame delta already.
    std::vector<std::string> redNumbers;
    std::vector<std::string> blasts;
    for (const Entity& enemy : before.enemies) {
        if (strikes) redNumbers.push_back(decimalText(enemy.attack));
        if (enemy.health <= 0) blasts.push_back("NULL");
    }
    checkEffects(findings, "floating number", before.floatingNumbers, after.floatingNumbers,
                 frameDelta, kFloatingNumberLifetime, redNumbers, 0.0);
    checkEffects(findings, "explosion", before.explosions, after.explosions, frameDelta,
                 kExplosionLifetime, blasts, 0.0 + frameDelta);
    // Within a lifetime there is room for at most lifetime / 0.1 s + 1 actions, each answered by
    // three strikes at most; one frame may add its records on top.
    findings.require(after.floatingNumbers.size() <= 4 * (5 + 2), "too many floating numbers");
    findings.require(after.explosions.size() <= 3 * (2 + 2), "too many explosions");

    tally.largestWave = std::max(tally.largestWave, after.enemies.size());
    tally.highestLevel = std::max(tally.highestLevel, after.player.level);
    for (const Entity& enemy : after.enemies) {
        if (enemy.type >= 0 && enemy.type < kEnemyKindCount) tally.kindSeen[enemy.type] = true;
    }
    return findings.message();
}

// Checks one pressButtons call: at most one button is under the pointer, and it acts only with
// the left button down, the timer at 0.1 s and an enemy to act on.
std::string checkClick(const GameState& before, const GameState& after, int mouseX, int mouseY,
                       uint32_t mask, Tally& tally) {
    Findings findings;
    const bool looks = before.clickTimer >= kClickInterval && (mask & SDL_BUTTON_LMASK) != 0;
    std::optional<size_t> hit;
    for (size_t i = 0; i < before.buttons.size(); ++i) {
        const Button& b = before.buttons[i];
        if (mouseX >= b.x && mouseX <= b.x + b.w && mouseY >= b.y && mouseY <= b.y + b.h) hit = i;
    }
    const bool acts = looks && hit.has_value() && !before.enemies.empty();

    Entity player = before.player;
    std::vector<Entity> enemies = before.enemies;
    int32_t vrask = before.vraskCount;
    SDL_Texture* pose = before.player.texture;
    size_t greenNumbers = 0;
    std::string greenText;
    if (acts) {
        ++tally.actions;
        const size_t target = std::min<size_t>(before.selectedTarget, enemies.size() - 1);
        switch (*hit) {
            case 0:
                enemies[target].health = minus(enemies[target].health, player.attack);
                pose = before.assets.playerAttacking;
                break;
            case 1:
                player.health = plus(player.health, player.attack);
                pose = before.assets.playerBlocking;
                break;
            default:
                break;
        }
        greenText = decimalText(player.attack);
        if (*hit == 2 && vrask > 0) {
            ++tally.vraskUses;
            player.attack = plus(player.attack, 1);
            player.health = plus(player.health, 60);
            vrask = minus(vrask, 1);
            pose = before.assets.playerStanding;
        }
        greenNumbers = 1;
    }

    findings.same("clickTimer", looks ? 0.0 : before.clickTimer, after.clickTimer);
    findings.same("enemiesAnswered", !acts && before.enemiesAnswered, after.enemiesAnswered);
    findings.same("health", player.health, after.player.health);
    findings.same("attack", player.attack, after.player.attack);
    findings.same("level", player.level, after.player.level);
    findings.same("experience", player.experience, after.player.experience);
    findings.same("vraskCount", vrask, after.vraskCount);
    findings.require(pose == after.player.texture, "wrong pose after a click");
    findings.same("enemy count", enemies.size(), after.enemies.size());
    for (size_t i = 0; i < enemies.size() && i < after.enemies.size(); ++i) {
        sameEnemy(findings, enemies[i], after.enemies[i]);
    }
    findings.same("floating numbers", before.floatingNumbers.size() + greenNumbers,
                  after.floatingNumbers.size());
    if (greenNumbers == 1 && !after.floatingNumbers.empty()) {
        const Effect& green = after.floatingNumbers.back();
        findings.same("green number text", greenText, green.text);
        findings.same("green number colour", 1, green.fromPlayer);
        findings.same("green number age", 0.0, green.age);
    }
    return findings.message();
}

// Occasionally moves the player somewhere a long game could take it (high levels, the 32-bit
// limits), so that every wave band and the saturating sums are soaked too.
void jump(GameState& state, std::mt19937& random) {
    auto pick = [&random](int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    Entity& player = state.player;
    switch (pick(0, 3)) {
        case 0: {  // any level, the edges of the wave bands above all
            static constexpr int32_t kEdges[] = {4, 5, 6, 9, 10, 11, 19, 20, 21, 39, 40, 41, 99, 100};
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
        const double share = static_cast<double>(tally.lonePaid) / static_cast<double>(tally.loneRolls);
        std::printf("  %ld of %ld single kills paid their Vrask (%.3f)\n", tally.lonePaid,
                    tally.loneRolls, share);
        if (share < 0.47 || share > 0.51) {
            std::printf("FAIL: a kill should pay its Vrask 49 times in 100\n");
            return 1;
        }
    }
    return 0;
}
