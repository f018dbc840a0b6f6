#include "world/map_loader.h"

#include <fstream>
#include <string>

#include "world/statistics.h"

namespace {

constexpr float kCellSize = 20.0f;

// Tile kind of a map byte, or -1 for a byte that leaves its cell empty.
int tileKind(char c) {
    switch (c) {
        case '-':
        case '@':
            return 0;
        case '#':
            return 1;
        case '*':
            return 2;
        case '$':
            return 3;
        default:
            return -1;
    }
}

}  // namespace

void placePlayer(Entity& player, float x, float y, int32_t id) {
    player.x = x;
    player.y = y;
    player.w = 10;
    player.h = 10;
    player.health = 100;
    player.level = 1;
    player.attack = 5;
    player.type = 0;
    player.id = id;
    player.experience = 0;
}

void loadMap(std::istream& in, std::vector<Entity>& tiles, Entity& player) {
    float y = 0.0f;
    int32_t runningNumber = 0;
    std::string line;
    // An empty line still takes a row; a carriage return is just another byte with no tile.
    while (std::getline(in, line)) {
        float x = 0.0f;
        for (const char c : line) {
            const int kind = tileKind(c);
            if (kind >= 0) {
                Entity tile;
                tile.x = x;
                tile.y = y;
                tile.w = 20;
                tile.h = 20;
                tile.type = kind;
                tile.id = runningNumber;
                tiles.push_back(tile);
                if (c == '@') placePlayer(player, x, y, runningNumber);
                runningNumber = saturatingAdd(runningNumber, 1);
            }
            x += kCellSize;
        }
        y += kCellSize;
    }
}

void loadMap(std::vector<Entity>& tiles, Entity& player) {
    std::ifstream file(kMapFile);
    if (!file) return;
    loadMap(file, tiles, player);
}
