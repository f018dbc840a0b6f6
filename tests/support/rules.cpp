#include "rules.h"

#include <cstdlib>

std::vector<int> drawsAfter(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) draws.push_back(std::rand());
    return draws;
}

unsigned seedGiving(std::initializer_list<std::pair<int, int>> remainders) {
    for (unsigned seed = 0;; ++seed) {
        std::srand(seed);
        bool all = true;
        for (const auto& [divisor, remainder] : remainders) {
            all = all && std::rand() % divisor == remainder;
        }
        if (all) return seed;
    }
}

Entity enemyAt(float x, float y, int32_t type, int32_t health, int32_t attack, int32_t level) {
    return Entity{x, y, 50, 100, health, level, attack, {}, 1, type};
}
