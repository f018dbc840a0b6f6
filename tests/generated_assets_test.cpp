// The committed pictures and sounds are exactly what tools/ makes, and the sounds are clean and
// balanced for the volumes the game plays them at.

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "asset_writer.h"
#include "effect_art.h"
#include "loudness.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = BRANNOCH_ASSET_DIR;
const fs::path kIcons = BRANNOCH_ICON_DIR;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The format and the samples of a sound file, all channels interleaved.
std::pair<SF_INFO, std::vector<short>> loadSound(const fs::path& file) {
    SF_INFO info{};
    SNDFILE* handle = sf_open(file.string().c_str(), SFM_READ, &info);
    if (handle == nullptr) throw std::runtime_error(file.string() + ": " + sf_strerror(nullptr));
    std::vector<short> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_read_short(handle, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(handle);
    return {info, samples};
}

TEST(GeneratedAssets, RegeneratingGivesTheCommittedFilesByteForByte) {
    // A folder of this process's own; left behind when a check fails, to compare with.
    const fs::path made = ::testing::TempDir() + "brannoch-assets-" + std::to_string(getpid());
    fs::create_directories(made / "assets");
    ASSERT_TRUE(writeGameAssets(made / "assets") && writeIcons(made / "icons"));
    std::vector<std::pair<fs::path, fs::path>> files;  // made, committed
    for (const auto& list : {kImageFiles, kSoundFiles})
        for (const std::string& file : list)
            files.emplace_back(made / "assets" / file, kAssets / file);
    for (const int size : kIconSizes)
        files.emplace_back(made / "icons" / iconPath(size), kIcons / iconPath(size));
    for (const auto& [madeFile, committedFile] : files)
        EXPECT_TRUE(bytesOf(madeFile) == bytesOf(committedFile))
            << committedFile << " is not what `make assets` makes";
    if (!HasFailure()) fs::remove_all(made);
}

// Clean 16-bit sounds, levelled by EBU R128 for the volumes the game plays them at (the music at
// 30 of 128, effects at full volume): no DC offset, no true peak over -1 dBTP, the effects' loudest
// moments within 4 LU of each other and the music, integrated, 3 to 8 LU under the loudest.
TEST(AssetSounds, AreClean44100Hz16BitLevelledForTheGamesVolumesAndEndWithoutAClick) {
    Samples tone(3 * kSampleRate);  // a 997 Hz sine at -20 dBFS: -23.0 LUFS on any R128 meter
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = 0.1 * std::sin(6.2831853 * 997 * static_cast<double>(i) / kSampleRate);
    const Loudness reference = measureLoudness(tone);
    EXPECT_NEAR(reference.integrated, -23.0, 0.05);
    EXPECT_NEAR(reference.momentaryMax, -23.0, 0.05);
    EXPECT_NEAR(reference.truePeak, -20.0, 0.05);
    double musicHeard = 0;
    std::vector<double> effectsHeard;
    for (const std::string file : {"vrask.wav", "button.wav", "enemydeath.wav", "vrasksound.wav"}) {
        const bool music = file == "vrask.wav";  // the rest are effects
        SCOPED_TRACE(file);
        const auto [info, samples] = loadSound(kAssets / file);
        EXPECT_EQ(info.samplerate, 44100);
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        const double seconds = static_cast<double>(info.frames) / info.samplerate;
        ASSERT_GE(seconds, music ? 20 : 0.05);  // an empty sound stops here
        EXPECT_LT(seconds, music ? 40 : 1);
        // Effects start and stop near silence; the music's last sample runs into its first.
        const int first = samples.front(), last = samples.back();
        const int jump = music ? std::abs(last - first) : std::max(std::abs(first), std::abs(last));
        EXPECT_LT(jump, music ? 600 : 300) << "a click at the start or end";
        Samples levels(samples.size());
        std::transform(samples.begin(), samples.end(), levels.begin(),
                       [](short v) { return v / 32768.0; });
        const Loudness level = measureLoudness(levels);
        EXPECT_LT(std::fabs(level.dcOffset), 0.001);
        EXPECT_LE(level.truePeak, -1.0);
        // What is heard of a tune is its integrated loudness, of a short effect its loudest moment.
        if (music)
            musicHeard = level.integrated + 20 * std::log10(30 / 128.0);
        else
            effectsHeard.push_back(level.momentaryMax);
    }
    const auto [quietest, loudest] = std::minmax_element(effectsHeard.begin(), effectsHeard.end());
    EXPECT_LE(*loudest - *quietest, 4.0);
    EXPECT_TRUE(*loudest - musicHeard >= 3 && *loudest - musicHeard <= 8) << *loudest - musicHeard;
}

}  // namespace
