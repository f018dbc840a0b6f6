#include "game/assets.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
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
std::vector<bool> inkOf(SoftwareScreen& screen, TTF_Font* font, const std::string& text,
                        SDL_Rect box) {
    screen.clear();
    drawText(font, text, kPaleYellow, box);
    std::vector<bool> ink;
    for (const uint32_t colour : screen.pixels(box)) ink.push_back(colour != 0);
    return ink;
}

// The blank areas of a picture `width` wide that do not reach its edge: its glyphs' holes.
int holes(std::vector<bool> ink, int width) {
    const int size = static_cast<int>(ink.size());
    int count = 0;
    for (int start = 0; start < size; ++start) {
        bool outside = ink[start];  // ink starts no area
        for (std::vector<int> todo(ink[start] ? 0 : 1, start); !todo.empty();) {
            const int at = todo.back(), x = at % width;
            todo.pop_back();
            outside = outside || x == 0 || x == width - 1 || at < width || at >= size - width;
            for (const int next :
                 {x > 0 ? at - 1 : at, x < width - 1 ? at + 1 : at, at - width, at + width}) {
                if (next >= 0 && next < size && !ink[next]) todo.push_back(next), ink[next] = true;
            }
        }
        count += !outside;
    }
    return count;
}

// Every digit, alone and in runs of up to four, draws a picture of its own in a HUD value's box
// and in a floating number's, with the holes of 0, 4, 6, 8 and 9 open; a character the font
// lacks draws its box.
TEST_F(Screen, EveryDigitReadsInEveryBox) {
    constexpr int kHoles[10] = {1, 0, 0, 0, 1, 0, 1, 0, 2, 1};
    for (const SDL_Rect box : {SDL_Rect{150, 20, 100, 50}, SDL_Rect{400, 400, 30, 12}}) {
        for (size_t length = 1; length <= 4; ++length) {
            std::set<std::vector<bool>> pictures;
            for (int digit = 0; digit < 10; ++digit) {
                const std::string text(length, static_cast<char>('0' + digit));
                const std::vector<bool> ink = inkOf(screen, state.assets.font, text, box);
                EXPECT_EQ(holes(ink, box.w), kHoles[digit] * static_cast<int>(length))
                    << text << " in " << box.w << "x" << box.h;
                pictures.insert(ink);
            }
            EXPECT_EQ(pictures.size(), 10u) << length << " digits in " << box.w << "x" << box.h;
        }
    }
    EXPECT_EQ(holes(inkOf(screen, state.assets.font, "\xe9", kButtonRects[0]), 100), 1);
}

// Each label and value, as the font renders it, fits its box, so the stretch loses no row or
// column of it, and the labels' letters keep their holes.
TEST_F(Screen, EveryTextFitsItsBoxWithItsHolesOpen) {
    const std::tuple<const char*, int, int, int> texts[] = {
        {"Health:", 100, 50, 2},   {"Level:", 100, 50, 2}, {"Attack Power:", 100, 50, 5},
        {"Vrask:", 100, 50, 1},    {"Attack", 100, 50, 2}, {"Block", 100, 50, 3},
        {"Do Vrask!", 100, 50, 3}, {"-8888", 100, 50, 8},  {"8888", 30, 12, 8}};
    for (const auto& [text, w, h, holeCount] : texts) {
        int width = 0, height = 0;
        TTF_SizeText(state.assets.font, text, &width, &height);
        EXPECT_TRUE(width <= w && height <= h) << text << ": " << width << "x" << height;
        EXPECT_EQ(holes(inkOf(screen, state.assets.font, text, {0, 0, w, h}), w), holeCount)
            << text;
    }
}

// The level row (y 20 to 69) lies under the attack-power row (y 50 to 99): whatever the two
// show, the level row's ink ends above y 50, a blank row before the attack-power row's begins.
TEST_F(Screen, TheLevelRowEndsAboveTheAttackPowerRow) {
    std::vector<std::string> texts = {"Level:", "Attack Power:"};
    for (char digit = '0'; digit <= '9'; ++digit)
        texts.insert(texts.end(), {{digit}, std::string(4, digit)});
    int levelEnd = 0, attackStart = 800;  // a text's ink lies alike in both boxes, 30 rows apart
    for (const std::string& text : texts) {
        const std::vector<bool> ink = inkOf(screen, state.assets.font, text, {150, 20, 100, 50});
        const auto first = std::find(ink.begin(), ink.end(), true) - ink.begin();
        const auto last = ink.rend() - std::find(ink.rbegin(), ink.rend(), true) - 1;
        levelEnd = std::max(levelEnd, 20 + static_cast<int>(last / 100));
        attackStart = std::min(attackStart, 50 + static_cast<int>(first / 100));
    }
    EXPECT_LT(levelEnd, 49);
    EXPECT_LT(levelEnd + 1, attackStart);
}

}  // namespace
