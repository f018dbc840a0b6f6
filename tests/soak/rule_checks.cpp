#include "rule_checks.h"

#include <SDL.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <vector>

#include "combat/buttons.h"
#include "combat/enemy_pass.h"
#include "render/effects.h"
#include "render/text.h"

namespace {

int32_t clamp32(int64_t wide) {
    return static_cast<int32_t>(std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX));
}
int32_t plus(int32_t a, int32_t b) {
    return clamp32(int64_t{a} + b);
}
int32_t minus(int32_t a, int32_t b) {
    return clamp32(int64_t{a} - b);
}

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
    findings.require(
        !wave.empty() && wave.size() <= largest,
        "a wave of " + std::to_string(wave.size()) + " at level " + std::to_string(level));
    for (size_t i = 0; i < wave.size(); ++i) {
        const Entity& enemy = wave[i];
        findings.require(
            enemy.type >= 0 && enemy.type <= highestKindAt(level),
            "enemy kind " + std::to_string(enemy.type) + " at level " + std::to_string(level));
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

}  // namespace

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
