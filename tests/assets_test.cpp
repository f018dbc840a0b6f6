#include "game/assets.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "game/game_state.h"
#include "game/globals.h"
#include "game/layout.h"
#include "render/scene.h"
#include "render/text.h"
#include "support/rules.h"
#include "support/software_screen.h"

namespace {

// The pixels of `texture` drawn at its own size over black.
std::vector<uint32_t> drawnAlone(SoftwareScreen& screen, SDL_Texture* texture) {
    SDL_Rect rect{0, 0, 0, 0};
    SDL_QueryTexture(texture, nullptr, nullptr, &rect.w, &rect.h);
    screen.clear();
    SDL_RenderCopy(renderer, texture, nullptr, &rect);
    return screen.pixels(rect);
}

// Every file reaches its own field: each picture looks like its file, each sound is as long
// as its file, the music is the tune's length (the font: the test below).
TEST(Assets, EachFileReachesItsOwnField) {
    SoftwareScreen screen;
    const AssetSet assets = screen.realAssets();
    const std::pair<const char*, SDL_Texture*> pictures[] = {
        {"bplayer1.png", assets.playerStanding},  {"bplayer2.png", assets.playerBlocking},
        {"bplayer3.png", assets.playerAttacking}, {"back1.png", assets.background},
        {"enemy1.png", assets.enemySprites[0]},   {"enemy2.png", assets.enemySprites[1]},
        {"enemy3.png", assets.enemySprites[2]},   {"enemy4.png", assets.enemySprites[3]},
        {"enemy5.png", assets.enemySprites[4]},   {"health1.png", assets.healthBar},
        {"explosion.png", assets.explosion}};
    for (const auto& [file, texture] : pictures) {
        SCOPED_TRACE(file);
        const Owned<SDL_Surface> image(IMG_Load(file));
        const Owned<SDL_Texture> own(SDL_CreateTextureFromSurface(renderer, image.get()));
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(drawnAlone(screen, texture), drawnAlone(screen, own.get()));
    }
    GameState state;  // the background covers the window exactly, unscaled
    state.assets = assets;
    drawBackground(state);
    EXPECT_EQ(screen.pixels(kWindow), drawnAlone(screen, assets.background));
    const std::pair<const char*, Mix_Chunk*> sounds[] = {{"enemydeath.wav", assets.enemyDeathSound},
                                                         {"button.wav", assets.buttonSound},
                                                         {"vrasksound.wav", assets.vraskSound}};
    for (const auto& [file, chunk] : sounds) {
        const Owned<Mix_Chunk> own(Mix_LoadWAV(file));
        ASSERT_NE(chunk, nullptr) << file;
        EXPECT_EQ(chunk->alen, own->alen) << file;
    }
    const Owned<Mix_Music> tune(Mix_LoadMUS("vrask.wav"));
    EXPECT_GT(Mix_MusicDuration(assets.music), 10.0);
    EXPECT_EQ(Mix_MusicDuration(assets.music), Mix_MusicDuration(tune.get()));
}

// Where the game's `drawText` puts ink when it draws `text` into `box` of a black screen.
class Font : public Screen {
  protected:
    std::vector<bool> inkOf(const std::string& text, SDL_Rect box) {
        screen.clear();
        drawText(state.assets.font, text, kPaleYellow, box);
        std::vector<bool> ink;
        for (const uint32_t colour : screen.pixels(box)) ink.push_back(colour != 0);
        return ink;
    }
};

// The blank areas of a picture `width` wide that do not reach its edge: its glyphs' holes.
int holes(std::vector<bool> ink, int width) {
    const int size = static_cast<int>(ink.size());
    const std::function<bool(int)> fill = [&](int at) {  // inks a blank area; true at an edge
        if (at < 0 || at >= size || ink[at]) return false;
        const int x = at % width;
        bool edge = x == 0 || x == width - 1 || at < width || at >= size - width;
        ink[at] = true;
        for (const int n :
             {x > 0 ? at - 1 : -1, x + 1 < width ? at + 1 : -1, at - width, at + width})
            edge = fill(n) || edge;
        return edge;
    };
    int count = 0;
    for (int at = 0; at < size; ++at) count += !ink[at] && !fill(at);
    return count;
}

// Every digit, alone and in runs of up to four, has a picture of its own in a HUD value's box and
// in a floating number's, with the holes of 0, 4, 6, 8 and 9 open.
TEST_F(Font, EveryDigitReadsInEveryBox) {
    constexpr int kHoles[10] = {1, 0, 0, 0, 1, 0, 1, 0, 2, 1};
    for (const SDL_Rect box : {SDL_Rect{150, 20, 100, 50}, SDL_Rect{400, 400, 30, 12}}) {
        for (int length = 1; length <= 4; ++length) {
            std::set<std::vector<bool>> pictures;
            for (char digit = '0'; digit <= '9'; ++digit) {
                const std::string text(static_cast<size_t>(length), digit);
                pictures.insert(inkOf(text, box));
                EXPECT_EQ(holes(inkOf(text, box), box.w), kHoles[digit - '0'] * length) << text;
            }
            EXPECT_EQ(pictures.size(), 10u) << length << " digits in " << box.w << "x" << box.h;
        }
    }
}

// Each label and value, as the font renders it, fits its box, so the stretch loses no row or
// column of it, and the labels' letters keep their holes; a character the font lacks draws a box.
TEST_F(Font, EveryTextFitsItsBoxWithItsHolesOpen) {
    const std::tuple<const char*, int, int, int> texts[] = {
        {"Health:", 100, 50, 2},   {"Level:", 100, 50, 2}, {"Attack Power:", 100, 50, 5},
        {"Vrask:", 100, 50, 1},    {"Attack", 100, 50, 2}, {"Block", 100, 50, 3},
        {"Do Vrask!", 100, 50, 3}, {"\xe9", 100, 50, 1},   {"8888", 30, 12, 8}};
    for (const auto& [text, w, h, holeCount] : texts) {
        int width = 0, height = 0;  // as the font renders it
        TTF_SizeText(state.assets.font, text, &width, &height);
        EXPECT_TRUE(width <= w && height <= h) << text << ": " << width << "x" << height;
        EXPECT_EQ(holes(inkOf(text, {0, 0, w, h}), w), holeCount) << text;
    }
}

// The level row (y 20 to 69) lies under the attack-power row (y 50 to 99): whatever the two
// show, the level row's ink ends above y 50, a blank row before the attack-power row's begins.
TEST_F(Font, TheLevelRowEndsAboveTheAttackPowerRow) {
    int levelEnd = 0, attackStart = 800;  // a text's ink lies alike in both boxes, 30 rows apart
    for (const char* text : {"Level:", "Attack Power:", "0123456789"}) {
        const std::vector<bool> ink = inkOf(text, {150, 20, 100, 50});
        const auto first = std::find(ink.begin(), ink.end(), true) - ink.begin();
        const auto last = ink.rend() - std::find(ink.rbegin(), ink.rend(), true) - 1;
        levelEnd = std::max(levelEnd, 20 + static_cast<int>(last / 100));
        attackStart = std::min(attackStart, 50 + static_cast<int>(first / 100));
    }
    EXPECT_TRUE(levelEnd < 49 && levelEnd + 1 < attackStart) << levelEnd << ", " << attackStart;
}

}  // namespace
