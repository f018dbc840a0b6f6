// libFuzzer over the map reader, any bytes: one tile per "-#*$@" byte and none from another, its
// id its index, its kind the byte's, at 20 times the byte's column and line; the player on the
// last "@" with the start statistics, or untouched. The unit tests replay fuzz/corpus through it.
#undef NDEBUG
#include <cassert>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "world/entity.h"
#include "world/map_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    std::vector<Entity> tiles;
    Entity player;
    loadMap(in, tiles, player);

    const Entity* mark = nullptr;
    size_t next = 0, column = 0, line = 0;
    for (const char c : bytes) {
        const size_t kind = c == '@' ? 0 : std::string("-#*$").find(c);
        if (kind != std::string::npos) {
            const Entity& tile = tiles.at(next);  // throws if there are fewer tiles than bytes
            assert(tile.id == static_cast<int32_t>(next));
            assert(tile.type == static_cast<int32_t>(kind));
            assert(tile.x == 20.0f * static_cast<float>(column) && tile.w == 20);
            assert(tile.y == 20.0f * static_cast<float>(line) && tile.h == 20);
            if (c == '@') mark = &tile;
            ++next;
        }
        if (c == '\n') ++line;
        column = c == '\n' ? 0 : column + 1;
    }
    assert(next == tiles.size());
    if (mark == nullptr) {
        assert(player.health == 0 && player.x == 0.0f && player.y == 0.0f && player.level == 0);
        return 0;
    }
    assert(player.x == mark->x && player.y == mark->y && player.id == mark->id);
    assert(player.w == 10 && player.h == 10 && player.health == 100 && player.level == 1 &&
           player.attack == 5 && player.experience == 0 && player.type == 0);
    return 0;
}
