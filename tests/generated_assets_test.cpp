#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "asset_writer.h"
#include "effect_art.h"
#include "game/asset_files.h"
#include "game/owned.h"
#include "loudness.h"
#include "music.h"
#include "sound_effects.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = BRANNOCH_ASSET_DIR;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What is compared of a file: a sound's bytes; a picture's size and straight RGBA pixels.
std::string contentsOf(const fs::path& file) {
    if (file.extension() != ".png") return bytesOf(file);
    const Owned<SDL_Surface> loaded(IMG_Load(file.string().c_str()));
    const Owned<SDL_Surface> rgba(
        SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) return "";
    return std::to_string(rgba->w) + "x" + std::to_string(rgba->h) + ":" +
           std::string(static_cast<const char*>(rgba->pixels),
                       static_cast<size_t>(rgba->h * rgba->pitch));
}

// The sounds byte for byte; the pictures, which `make assets` recompresses, pixel for pixel.
TEST(GeneratedAssets, RegeneratingGivesTheCommittedFiles) {
    // A folder of this process's own; left behind when a check fails, to compare with.
    const fs::path made = ::testing::TempDir() + "brannoch-assets-" + std::to_string(getpid());
    fs::create_directories(made / "assets");
    fs::create_directories(made / "web");
    ASSERT_TRUE(writeGameAssets(made / "assets") && writeIcons(made / "icons") &&
                writeBrowserAssets(made / "web"));
    // Each file as made and as committed.
    std::vector<std::pair<fs::path, fs::path>> files = {
        {made / "web/vrask.wav", fs::path(BRANNOCH_WEB_ASSET_DIR) / "vrask.wav"}};
    for (const char* file : kImageFiles) files.emplace_back(made / "assets" / file, kAssets / file);
    for (const char* file : kSoundFiles) files.emplace_back(made / "assets" / file, kAssets / file);
    for (const int size : kIconSizes)
        files.emplace_back(made / "icons" / iconPath(size),
                           fs::path(BRANNOCH_ICON_DIR) / iconPath(size));
    for (const auto& [madeFile, committedFile] : files)
        EXPECT_TRUE(!contentsOf(madeFile).empty() &&
                    contentsOf(madeFile) == contentsOf(committedFile))
            << committedFile << " is not what `make assets` makes";
    if (!HasFailure()) fs::remove_all(made);
}

// The sounds as written (tied to the files above), for the game's volumes (music 30 of 128):
// no DC, true peak at most -1 dBTP, no click, effects within 4 LU, music 3 to 8 LU under them.
TEST(AssetSounds, AreCleanAndLevelledForTheGamesVolumes) {
    const std::pair<const char*, Samples> sounds[] = {{"vrask.wav", composeMusic()},
                                                      {"button.wav", composeButtonSound()},
                                                      {"enemydeath.wav", composeEnemyDeathSound()},
                                                      {"vrasksound.wav", composeVraskSound()}};
    std::vector<double> heard;  // the music first, then the effects
    for (const auto& [file, samples] : sounds) {
        SCOPED_TRACE(file);
        const bool music = heard.empty();
        const double seconds = static_cast<double>(samples.size()) / kSampleRate;
        EXPECT_TRUE(music ? seconds > 20 && seconds < 40 : seconds < 1);
        // Effects start and stop near silence; the music's last sample runs into its first.
        const double jump = music ? std::fabs(samples.back() - samples.front())
                                  : std::max(std::fabs(samples.front()), std::fabs(samples.back()));
        EXPECT_LT(jump, 0.01) << "a click at the start or end";
        const Loudness level = measureLoudness(samples);
        EXPECT_LT(std::fabs(level.dcOffset), 0.001);
        EXPECT_LE(level.truePeak, -1.0);
        // What is heard of a tune is its integrated loudness, of a short effect its loudest moment.
        heard.push_back(music ? level.integrated + 20 * std::log10(kMusicGain)
                              : level.momentaryMax);
    }
    const double musicHeard = heard.front();
    const auto [quietest, loudest] = std::minmax_element(heard.begin() + 1, heard.end());
    EXPECT_LE(*loudest - *quietest, 4.0);
    EXPECT_TRUE(*loudest - musicHeard >= 3 && *loudest - musicHeard <= 8) << *loudest - musicHeard;
}

// The browser's copy of the music: the loop at half the rate, within 1 LU of the desktop's, its
// peak and its seam as clean.
TEST(AssetSounds, TheBrowsersMusicIsTheLoopAtHalfTheRate) {
    const Samples music = composeMusic(), half = halveRate(music);
    const Loudness browser = measureLoudness(half, kBrowserMusicRate);
    EXPECT_EQ(half.size() * 2, music.size());
    EXPECT_LT(std::fabs(browser.integrated - measureLoudness(music).integrated), 1.0);
    EXPECT_LE(browser.truePeak, kTruePeakCeiling);
    EXPECT_LT(std::fabs(half.back() - half.front()), 0.01) << "a click at the seam";
}

}  // namespace
