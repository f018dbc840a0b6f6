#include "world/map_loader.h"

#include <cstdio>
#include <memory>

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

void loadMap(const std::string& text, std::vector<Entity>& tiles, Entity& player) {
    float x = 0.0f, y = 0.0f;
    int32_t runningNumber = 0;
    // Every line feed ends a row, an empty one too; a carriage return is just another byte with
    // no tile.
    for (const char c : text) {
        if (c == '\n') {
            x = 0.0f;
            y += kCellSize;
            continue;
        }
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
}

std::string readText(const char* path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "r"), std::fclose);
    std::string text;
    char block[4096];
    size_t got = 0;
    while (file && (got = std::fread(block, 1, sizeof block, file.get())) > 0)
        text.append(block, got);
    return text;
}

void loadMap(std::vector<Entity>& tiles, Entity& player) {
    loadMap(readText(kMapFile), tiles, player);
}
