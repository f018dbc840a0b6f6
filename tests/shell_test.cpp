#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "game/globals.h"
#include "shell/frame_loop.h"
#include "shell/startup.h"

namespace {

// The whole run on SDL's dummy drivers.
TEST(Shell, StartsPlaysAndShutsDown) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);  // no real window, no sound card
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(chdir(BRANNOCH_ASSET_DIR), 0);  // the game reads its files from where it starts
    Shell shell;
    GameState state;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(startUp(shell, state));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "3\n");  // every library came up

    int frequency = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    EXPECT_EQ(std::make_tuple(SDL_WasInit(SDL_INIT_EVERYTHING), TTF_WasInit(), IMG_Init(0),
                              frequency, format, channels),
              std::make_tuple(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_EVENTS, 1, IMG_INIT_PNG,
                              44100, AUDIO_S16LSB, 2));
    SDL_Window* window = shell.window.get();
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(std::make_tuple(std::string(SDL_GetWindowTitle(window)), width, height,
                              SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE),
              std::make_tuple("Brannoch", 800, 800, 0u));
    EXPECT_EQ(renderer, shell.renderer.get());
    EXPECT_NE(keyboardState, nullptr);
    EXPECT_GT(state.tiles.size(), 100u);  // the shipped map was read
    EXPECT_NE(state.player.texture, nullptr);

    // The music plays at 30 of 128 and starts again at its end.
    EXPECT_EQ(Mix_VolumeMusic(-1), 30);
    Mix_SetMusicPosition(Mix_MusicDuration(state.assets.music) - 0.2);
    for (int wait = 0; wait < 60 && Mix_PlayingMusic() == 1; wait++) {
        if (Mix_GetMusicPosition(state.assets.music) < 1.0) break;
        SDL_Delay(50);
    }
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_LT(Mix_GetMusicPosition(state.assets.music), 1.0);

    // Other events are dropped; the quit request ends the loop after the whole frame.
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
    runFrame(shell, state);
    EXPECT_FALSE(quitRequested);
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
    runFrameLoop(shell, state);
    EXPECT_TRUE(quitRequested);
    EXPECT_EQ(std::make_tuple(state.enemies.size(), state.vraskCount), std::make_tuple(1u, 2));
    EXPECT_GT(state.clickTimer, 0.0);
    // The button outlines are drawn in the frame's black.
    Uint32 outline = 1;
    const SDL_Rect corner{185, 550, 1, 1};
    SDL_RenderReadPixels(renderer, &corner, SDL_PIXELFORMAT_RGB888, &outline, 4);
    EXPECT_EQ(outline & 0xFFFFFFu, 0u);

    shutDown(shell, state);
    EXPECT_EQ(std::make_tuple(renderer, shell.renderer.get(), shell.window.get(), SDL_WasInit(0),
                              TTF_WasInit(), state.player.texture, state.assets.font),
              std::make_tuple(nullptr, nullptr, nullptr, 0u, 0, nullptr, nullptr));
}

// Rows: counter before and now, ticks a second, seconds; the counter and ticks x 1000 may wrap.
TEST(Shell, FrameDeltaInSecondsFromCounterTicks) {
    const std::tuple<uint64_t, uint64_t, uint64_t, double> cases[] = {
        {5000, 1005000, 1000000, 1.0},
        {0, 1, 1000000, 0.000001},
        {18446744073709551116ull, 500, 1000000, 0.001},
        {0, 18446744073709552ull, 1000, 0.000384}};
    for (const auto& [previous, now, frequency, seconds] : cases)
        EXPECT_NEAR(frameDeltaSeconds(previous, now, frequency), seconds, 1e-12) << now;
}

}  // namespace
