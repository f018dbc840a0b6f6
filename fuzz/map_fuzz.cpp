// libFuzzer over the map reader, any bytes: one tile per "-#*$@" byte and none from another, its
// id its index, its kind the byte's, at 20 times the byte's column and line; the player on the
// last "@" with the start statistics, or untouched. The unit tests replay fuzz/corpus through
// mapBreach, naming the seed that breaks a rule.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "world/entity.h"
#include "world/map_loader.h"

// The first rule the reader breaks on these bytes, as its condition's text; empty if none.
std::string mapBreach(const uint8_t* data, size_t size) {
#define REQUIRE(condition) \
    if (!(condition)) return #condition
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<Entity> tiles;
    Entity player;
    loadMap(bytes, tiles, player);

    const Entity* mark = nullptr;
    size_t next = 0, column = 0, line = 0;
    for (const char c : bytes) {
        const size_t kind = c == '@' ? 0 : std::string("-#*$").find(c);
        if (kind != std::string::npos) {
            REQUIRE(next < tiles.size());
            const Entity& tile = tiles[next];
            REQUIRE(tile.id == static_cast<int32_t>(next));
            REQUIRE(tile.type == static_cast<int32_t>(kind));
            REQUIRE(tile.x == 20.0f * static_cast<float>(column) && tile.w == 20);
            REQUIRE(tile.y == 20.0f * static_cast<float>(line) && tile.h == 20);
            if (c == '@') mark = &tile;
            ++next;
        }
        if (c == '\n') ++line;
        column = c == '\n' ? 0 : column + 1;
    }
    REQUIRE(next == tiles.size());
    if (mark == nullptr) {
        REQUIRE(player.health == 0 && player.x == 0.0f && player.y == 0.0f && player.level == 0);
        return "";
    }
    REQUIRE(player.x == mark->x && player.y == mark->y && player.id == mark->id);
    REQUIRE(player.w == 10 && player.h == 10 && player.health == 100 && player.level == 1 &&
            player.attack == 5 && player.experience == 0 && player.type == 0);
    return "";
#undef REQUIRE
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string breach = mapBreach(data, size);
    if (!breach.empty()) {
        std::fprintf(stderr, "map reader breaks: %s\n", breach.c_str());
        std::abort();
    }
    return 0;
}
