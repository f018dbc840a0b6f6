#include "game/assets.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "game/game_state.h"
#include "game/globals.h"
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

// `text` as the font library renders it for the game, before the stretch: its rows of pixels.
std::vector<std::string> rendered(TTF_Font* font, const std::string& text) {
    const Owned<SDL_Surface> image(TTF_RenderText_Solid(font, text.c_str(), kPaleYellow));
    std::vector<std::string> rows;
    for (int y = 0; image && y < image->h; ++y)
        rows.emplace_back(static_cast<const char*>(image->pixels) + y * image->pitch, image->w);
    return rows;
}

// The game's font (assets/, cut by make assets) draws every text as the full Dela Gothic One
// (data/fonts/) at 12 points: the HUD and the buttons, and any character beside any other.
TEST_F(Screen, TheFontDrawsEveryTextAsTheFullOne) {
    const Owned<TTF_Font> full(TTF_OpenFont(BRANNOCH_FULL_FONT, 12));
    TTF_Font* game = state.assets.font;
    std::tie(state.player.health, state.player.attack, state.vraskCount) =
        std::make_tuple(INT_MIN, 1234567890, -7);
    const auto drawn = [this](TTF_Font* font) {
        state.assets.font = font;
        screen.clear();
        drawHud(state);
        drawButtons(state);
        return screen.pixels(kWindow);
    };
    EXPECT_TRUE(game && full && drawn(game) == drawn(full.get()));
    for (char first = ' '; first <= '~'; ++first) {
        std::string pairs;
        for (char next = ' '; next <= '~'; ++next) pairs += {first, next};
        EXPECT_TRUE(rendered(game, pairs) == rendered(full.get(), pairs)) << pairs;
    }
}

}  // namespace
