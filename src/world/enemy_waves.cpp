#include "world/enemy_waves.h"

#include <cstdlib>

#include "world/statistics.h"

namespace {

// A mixed band: each enemy draws d = rand() % 100 and takes the highest kind whose
// threshold d passes. `above[k]` is the lowest d that gives kind k + 1 or higher.
struct Band {
    int32_t lowestLevel;
    int32_t highestLevel;
    int kindCount;
    int above[kEnemyKindCount - 1];
};

// The round levels 5, 10, 20, 40 and 100 and up belong to no band: kind 0 only.
constexpr Band kBands[] = {
    {6, 9, 2, {53}},
    {11, 19, 3, {36, 53}},
    {21, 39, 4, {21, 36, 49}},
    {41, 99, 5, {11, 21, 36, 46}},
};

const Band* bandOf(int32_t level) {
    for (const Band& band : kBands) {
        if (level >= band.lowestLevel && level <= band.highestLevel) return &band;
    }
    return nullptr;
}

}  // namespace

int32_t chooseEnemyKind(int32_t level) {
    const Band* band = bandOf(level);
    if (band == nullptr) return 0;
    const int d = std::rand() % 100;
    int32_t kind = 0;
    for (int k = band->kindCount - 1; k >= 1; --k) {
        if (d >= band->above[k - 1]) {
            kind = k;
            break;
        }
    }
    return kind;
}

void spawnWave(std::vector<Entity>& enemies, const Entity& player) {
    int waveSize = std::rand() % 3 + 1;
    if (player.level < 5) waveSize = 1;
    float x = kWaveX;
    float y = kWaveY;
    for (int i = 0; i < waveSize; ++i) {
        const int32_t kind = chooseEnemyKind(player.level);
        Entity enemy;
        enemy.x = x;
        enemy.y = y;
        enemy.w = kEnemyWidth;
        enemy.h = kEnemyHeight;
        enemy.health = kEnemyKinds[kind].health;
        enemy.level = kEnemyKinds[kind].level;
        enemy.attack = kEnemyKinds[kind].attack;
        enemy.type = kind;
        enemy.spawned = 1;
        enemies.push_back(enemy);
        x += kWaveStep;
        y += kWaveStep;
    }
}

void refillWave(std::vector<Entity>& enemies, const Entity& player, int32_t& vraskCount) {
    if (!enemies.empty()) return;
    vraskCount = saturatingAdd(vraskCount, 1);
    spawnWave(enemies, player);
}
