#include "world/map_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Every case starts from two tiles already there and a player with a marker health and
// `spawned`; the new tiles come after the old ones, numbered from 0.
TEST(MapFile, ReadsTilesAndPlayerMark) {
    const struct {
        const char* name;
        const char* bytes;
        std::vector<std::tuple<float, float, int>> tiles;  // column, row, kind
        int playerTile;  // the tile the player stands on, -1 for no player mark
    } cases[] = {
        {"empty file", "", {}, -1},
        {"only line feeds", "\n\n\n", {}, -1},
        {"only the player mark", "@", {{0, 0, 0}}, 0},
        {"letters take cells", "a-b\n", {{1, 0, 0}}, -1},
        {"tab and space take cells", "\t -", {{2, 0, 0}}, -1},
        {"each byte of a multi-byte character is a cell", "\xC3\xA9#", {{2, 0, 1}}, -1},
        {"all four kinds", "-#*$", {{0, 0, 0}, {1, 0, 1}, {2, 0, 2}, {3, 0, 3}}, -1},
        {"empty line takes a row", "-\n\n-", {{0, 0, 0}, {0, 2, 0}}, -1},
        {"each line starts at x 0", "---\n-", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}}, -1},
        {"running numbers count tiles, not cells", "-x-", {{0, 0, 0}, {2, 0, 0}}, -1},
        {"carriage return before line feed is ignored", "-\r\n@\r\n", {{0, 0, 0}, {0, 1, 0}}, 1},
        {"the later of two player marks wins",
         "@-\n-@",
         {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}},
         3},
        {"last line without a line feed", "\n  @", {{2, 1, 0}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream file(c.bytes);
        std::vector<Entity> tiles(2);
        Entity player;
        player.spawned = 9;
        player.health = -42;
        loadMap(file, tiles, player);

        ASSERT_EQ(tiles.size(), 2 + c.tiles.size());
        EXPECT_EQ(tiles[1].w, 0);  // the old tiles are left alone
        for (size_t i = 0; i < c.tiles.size(); ++i) {
            SCOPED_TRACE("tile " + std::to_string(i));
            const Entity& tile = tiles[2 + i];
            const auto [column, row, kind] = c.tiles[i];
            EXPECT_EQ(std::tie(tile.x, tile.y, tile.w, tile.h, tile.type, tile.id),
                      std::make_tuple(20.0f * column, 20.0f * row, 20, 20, kind, int(i)));
        }
        if (c.playerTile < 0) {
            EXPECT_EQ(player.health, -42);
            continue;
        }
        const Entity& tile = tiles[2 + static_cast<size_t>(c.playerTile)];
        EXPECT_EQ(std::tie(player.x, player.y, player.id), std::tie(tile.x, tile.y, tile.id));
        EXPECT_EQ(std::tie(player.w, player.h, player.health, player.level, player.attack,
                           player.experience, player.spawned),
                  std::make_tuple(10, 10, 100, 1, 5, 0, 9));
    }
}

TEST(MapFile, ShippedMapHasExactlyOnePlayerMark) {
    std::ifstream file(BRANNOCH_ASSET_DIR "/map.miap", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '@'), 1);
}

}  // namespace
