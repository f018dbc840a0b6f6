#include "world/map_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Each test runs in a fresh temporary folder, because the game opens "map.miap" by bare name.
class MapFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/brannoch-map-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        char previous[4096];
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        previous_ = previous;
        ASSERT_EQ(chdir(folder_.c_str()), 0);
    }
    void TearDown() override {
        std::remove(kMapFile);
        EXPECT_EQ(chdir(previous_.c_str()), 0);
        rmdir(folder_.c_str());
    }
    static void write(const std::string& bytes) {
        std::ofstream(kMapFile, std::ios::binary) << bytes;
    }

    std::string folder_;
    std::string previous_;
};

struct ExpectedTile {
    float x;
    float y;
    int32_t type;
    int32_t id;
};

struct MapCase {
    const char* name;
    std::string bytes;
    std::vector<ExpectedTile> tiles;
    bool playerSet;
    float playerX;
    float playerY;
    int32_t playerId;
};

TEST_F(MapFile, ReadsTilesAndPlayerMark) {
    const std::vector<MapCase> cases = {
        {"empty file", "", {}, false, 0, 0, 0},
        {"only line feeds", "\n\n\n", {}, false, 0, 0, 0},
        {"only the player mark", "@", {{0, 0, 0, 0}}, true, 0, 0, 0},
        {"letters take cells", "a-b\n", {{20, 0, 0, 0}}, false, 0, 0, 0},
        {"tab and space take cells", "\t -", {{40, 0, 0, 0}}, false, 0, 0, 0},
        {"each byte of a multi-byte character is a cell",
         "\xC3\xA9#",
         {{40, 0, 1, 0}},
         false,
         0,
         0,
         0},
        {"all four kinds",
         "-#*$",
         {{0, 0, 0, 0}, {20, 0, 1, 1}, {40, 0, 2, 2}, {60, 0, 3, 3}},
         false,
         0,
         0,
         0},
        {"empty line takes a row", "-\n\n-", {{0, 0, 0, 0}, {0, 40, 0, 1}}, false, 0, 0, 0},
        {"each line starts at x 0",
         "---\n-",
         {{0, 0, 0, 0}, {20, 0, 0, 1}, {40, 0, 0, 2}, {0, 20, 0, 3}},
         false,
         0,
         0,
         0},
        {"running numbers count tiles, not cells",
         "-x-",
         {{0, 0, 0, 0}, {40, 0, 0, 1}},
         false,
         0,
         0,
         0},
        {"carriage return before line feed is ignored",
         "-\r\n@\r\n",
         {{0, 0, 0, 0}, {0, 20, 0, 1}},
         true,
         0,
         20,
         1},
        {"the later of two player marks wins",
         "@-\n-@",
         {{0, 0, 0, 0}, {20, 0, 0, 1}, {0, 20, 0, 2}, {20, 20, 0, 3}},
         true,
         20,
         20,
         3},
        {"last line without a line feed", "\n  @", {{40, 20, 0, 0}}, true, 40, 20, 0},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.bytes);
        std::vector<Entity> tiles;
        Entity player;
        player.health = -42;  // a marker: untouched unless the map has a player mark
        loadMap(tiles, player);

        ASSERT_EQ(tiles.size(), c.tiles.size());
        for (size_t i = 0; i < tiles.size(); ++i) {
            SCOPED_TRACE("tile " + std::to_string(i));
            EXPECT_EQ(tiles[i].x, c.tiles[i].x);
            EXPECT_EQ(tiles[i].y, c.tiles[i].y);
            EXPECT_EQ(tiles[i].w, 20);
            EXPECT_EQ(tiles[i].h, 20);
            EXPECT_EQ(tiles[i].type, c.tiles[i].type);
            EXPECT_EQ(tiles[i].id, c.tiles[i].id);
            EXPECT_TRUE(tiles[i].values.empty());
        }
        if (c.playerSet) {
            EXPECT_EQ(player.x, c.playerX);
            EXPECT_EQ(player.y, c.playerY);
            EXPECT_EQ(player.id, c.playerId);
            EXPECT_EQ(player.w, 10);
            EXPECT_EQ(player.h, 10);
            EXPECT_EQ(player.health, 100);
            EXPECT_EQ(player.level, 1);
            EXPECT_EQ(player.attack, 5);
            EXPECT_EQ(player.experience, 0);
        } else {
            EXPECT_EQ(player.health, -42);
        }
    }
}

TEST_F(MapFile, MissingFileChangesNothing) {
    std::vector<Entity> tiles(1);
    Entity player;
    player.x = 7.0f;
    player.health = 33;
    player.texture = reinterpret_cast<SDL_Texture*>(&player);  // any marker value
    loadMap(tiles, player);
    EXPECT_EQ(tiles.size(), 1u);
    EXPECT_EQ(player.x, 7.0f);
    EXPECT_EQ(player.health, 33);
    EXPECT_EQ(player.texture, reinterpret_cast<SDL_Texture*>(&player));
}

TEST_F(MapFile, AppendsAfterTilesAlreadyThere) {
    write("#");
    std::vector<Entity> tiles(2);
    Entity player;
    loadMap(tiles, player);
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(tiles[2].type, 1);
    EXPECT_EQ(tiles[2].id, 0);
}

TEST_F(MapFile, PlayerMarkKeepsPoseAndValues) {
    write("--@");
    std::vector<Entity> tiles;
    Entity player;
    SDL_Texture* pose = reinterpret_cast<SDL_Texture*>(&tiles);
    player.texture = pose;
    player.spawned = 9;
    loadMap(tiles, player);
    EXPECT_EQ(player.texture, pose);
    EXPECT_EQ(player.spawned, 9);
    EXPECT_EQ(player.x, 40.0f);
    EXPECT_EQ(player.id, 2);
}

TEST(ShippedMap, HasExactlyOnePlayerMark) {
    std::ifstream file(BRANNOCH_ASSET_DIR "/map.miap", std::ios::binary);
    ASSERT_TRUE(file);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '@'), 1);
}

}  // namespace
