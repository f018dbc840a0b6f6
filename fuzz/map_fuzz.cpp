// libFuzzer target for the map reader: any bytes as "map.miap", read from a string stream.
// Besides the sanitizers' own checks it holds the reader to what the rest of the game relies on:
// every tile on the 20-pixel grid at its byte's column and line, running numbers 0..n-1, one tile
// per "-#*$@" byte, the player at the last "@" (or untouched without one), and the tiles already
// in the list left alone.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "world/map_loader.h"

namespace {

void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "map reader: %s\n", what);
    std::abort();
}

// The kind a byte makes, looked up by its place in the list of tile bytes; -1 for no tile.
int expectedKind(char c) {
    static const std::string kTileBytes = "-#*$";
    if (c == '@') return 0;
    const size_t place = kTileBytes.find(c);
    return place == std::string::npos ? -1 : static_cast<int>(place);
}

// A record that no map cell or player mark could produce, to see what the reader touched.
Entity sentinel() {
    Entity entity;
    entity.x = -7.5f;
    entity.y = -3.25f;
    entity.w = 77;
    entity.h = 66;
    entity.health = -1234;
    entity.level = 99;
    entity.attack = -5;
    entity.type = 9;
    entity.id = -42;
    entity.experience = 31337;
    return entity;
}

bool sameRecord(const Entity& a, const Entity& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h && a.health == b.health &&
           a.level == b.level && a.attack == b.attack && a.type == b.type && a.id == b.id &&
           a.experience == b.experience && a.spawned == b.spawned && a.texture == b.texture &&
           a.values == b.values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    std::vector<Entity> tiles{sentinel()};
    Entity player = sentinel();
    loadMap(in, tiles, player);

    check(sameRecord(tiles.front(), sentinel()), "a tile already in the list was changed");
    size_t next = 1;
    size_t column = 0;
    size_t line = 0;
    bool marked = false;
    size_t markTile = 0;
    size_t markColumn = 0;
    size_t markLine = 0;
    for (const char c : bytes) {
        if (c == '\n') {
            ++line;
            column = 0;
            continue;
        }
        const int kind = expectedKind(c);
        if (kind >= 0) {
            check(next < tiles.size(), "fewer tiles than tile bytes");
            const Entity& tile = tiles[next];
            check(tile.x == 20.0f * static_cast<float>(column), "tile x is not 20 x its column");
            check(tile.y == 20.0f * static_cast<float>(line), "tile y is not 20 x its line");
            check(static_cast<size_t>(tile.x / 20.0f) == column, "tile x off its column");
            check(tile.w == 20 && tile.h == 20, "tile is not 20 x 20");
            check(tile.type == kind, "tile kind");
            check(tile.id == static_cast<int32_t>(next - 1), "running numbers are not 0..n-1");
            if (c == '@') {
                marked = true;
                markTile = next - 1;
                markColumn = column;
                markLine = line;
            }
            ++next;
        }
        ++column;
    }
    check(next == tiles.size(), "more tiles than tile bytes");

    if (!marked) {
        check(sameRecord(player, sentinel()), "the player changed without a mark");
        return 0;
    }
    check(player.x == 20.0f * static_cast<float>(markColumn), "player x is not the last mark's");
    check(player.y == 20.0f * static_cast<float>(markLine), "player y is not the last mark's");
    check(player.id == static_cast<int32_t>(markTile), "player id is not the last mark's");
    check(player.w == 10 && player.h == 10, "player size");
    check(player.health == 100 && player.level == 1 && player.attack == 5 &&
              player.experience == 0 && player.type == 0,
          "player start statistics");
    return 0;
}
