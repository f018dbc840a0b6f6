// The committed pictures and sounds are exactly what tools/ makes, and they have the properties
// the game relies on: sizes, clear surrounds, readable text over the background, clean audio.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "asset_writer.h"
#include "effect_art.h"
#include "layout.h"
#include "music.h"
#include "pixel_art.h"
#include "synth.h"

namespace {

namespace fs = std::filesystem;

const std::string kAssets = BRANNOCH_ASSET_DIR;
const std::string kIcons = BRANNOCH_ICON_DIR;

// Everything is generated once, into a folder of its own that is removed at the end.
class GeneratedFolder : public ::testing::Environment {
  public:
    static const fs::path& path() { return folder; }
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "brannoch-assets-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        folder = name;
        fs::create_directories(folder / "assets");
        ASSERT_TRUE(writeGameAssets((folder / "assets").string()));
        ASSERT_TRUE(writeIcons((folder / "icons").string()));
    }
    void TearDown() override { fs::remove_all(folder); }

  private:
    static inline fs::path folder;
};

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Decodes a PNG into 8-bit RGBA, whatever layout the file chose.
Surface loadRgba(const fs::path& file) {
    Surface decoded(IMG_Load(file.string().c_str()));
    if (!decoded) throw std::runtime_error(file.string() + ": " + IMG_GetError());
    return Surface(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

Rgba pixelAt(const SDL_Surface& surface, int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(surface.pixels) + y * surface.pitch;
    const std::uint8_t* p = row + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

struct Sound {
    SF_INFO info{};
    std::vector<short> samples;
};

Sound loadSound(const fs::path& file) {
    Sound sound;
    SNDFILE* handle = sf_open(file.string().c_str(), SFM_READ, &sound.info);
    if (handle == nullptr) throw std::runtime_error(file.string() + ": " + sf_strerror(nullptr));
    sound.samples.resize(static_cast<std::size_t>(sound.info.frames * sound.info.channels));
    sf_read_short(handle, sound.samples.data(), static_cast<sf_count_t>(sound.samples.size()));
    sf_close(handle);
    return sound;
}

// Relative luminance and contrast ratio as the web's readability guidelines define them.
double luminance(Rgba c) {
    const auto linear = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}
double contrast(Rgba a, Rgba b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const Rgba kPaleYellow{255, 255, 100, 255};
const Rgba kBlack{0, 0, 0, 255};

void expectSamePixels(const fs::path& made, const fs::path& committed) {
    const Surface a = loadRgba(made);
    const Surface b = loadRgba(committed);
    ASSERT_EQ(a->w, b->w);
    ASSERT_EQ(a->h, b->h);
    for (int y = 0; y < a->h; ++y) {
        for (int x = 0; x < a->w; ++x) {
            const Rgba p = pixelAt(*a, x, y), q = pixelAt(*b, x, y);
            ASSERT_TRUE(p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a)
                << "first difference at (" << x << ", " << y << ")";
        }
    }
}

TEST(GeneratedAssets, ImagesAndIconsMatchTheCommittedPixels) {
    for (const std::string& file : kImageFiles) {
        SCOPED_TRACE(file);
        expectSamePixels(GeneratedFolder::path() / "assets" / file, fs::path(kAssets) / file);
    }
    for (const int size : kIconSizes) {
        SCOPED_TRACE(iconPath(size));
        expectSamePixels(GeneratedFolder::path() / "icons" / iconPath(size),
                         fs::path(kIcons) / iconPath(size));
    }
}

TEST(GeneratedAssets, SoundsMatchTheCommittedSamples) {
    for (const std::string& file : kSoundFiles) {
        SCOPED_TRACE(file);
        const Sound made = loadSound(GeneratedFolder::path() / "assets" / file);
        const Sound committed = loadSound(fs::path(kAssets) / file);
        ASSERT_EQ(made.samples.size(), committed.samples.size());
        ASSERT_EQ(made.info.channels, committed.info.channels);
        // One step of 16 bits is allowed for a libm that rounds its last bit otherwise.
        for (std::size_t i = 0; i < made.samples.size(); ++i) {
            ASSERT_LE(std::abs(made.samples[i] - committed.samples[i]), 1) << "sample " << i;
        }
    }
}

TEST(AssetImages, HaveTheSizesTheGameDrawsThemAt) {
    const struct {
        const char* file;
        int w, h;
    } cases[] = {{"back1.png", 800, 800},   {"bplayer1.png", 50, 100}, {"bplayer2.png", 50, 100},
                 {"bplayer3.png", 50, 100}, {"enemy1.png", 50, 100},   {"enemy2.png", 50, 100},
                 {"enemy3.png", 50, 100},   {"enemy4.png", 50, 100},   {"enemy5.png", 50, 100},
                 {"explosion.png", 50, 50}, {"health1.png", 2, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Surface image = loadRgba(fs::path(kAssets) / c.file);
        EXPECT_EQ(image->w, c.w);
        EXPECT_EQ(image->h, c.h);
    }
    for (const int size : kIconSizes) {
        const Surface icon = loadRgba(fs::path(kIcons) / iconPath(size));
        EXPECT_EQ(icon->w, size);
        EXPECT_EQ(icon->h, size);
    }
}

TEST(AssetImages, FiguresStandClearOfTheirCornersAndOnTheirLowerEdge) {
    const struct {
        const char* file;
        bool standsOnFloor;
    } cases[] = {{"bplayer1.png", true}, {"bplayer2.png", true}, {"bplayer3.png", true},
                 {"enemy1.png", true},   {"enemy2.png", true},   {"enemy3.png", true},
                 {"enemy4.png", true},   {"enemy5.png", true},   {"explosion.png", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Surface image = loadRgba(fs::path(kAssets) / c.file);
        const int right = image->w - 1, bottom = image->h - 1;
        EXPECT_EQ(pixelAt(*image, 0, 0).a, 0);
        EXPECT_EQ(pixelAt(*image, right, 0).a, 0);
        EXPECT_EQ(pixelAt(*image, 0, bottom).a, 0);
        EXPECT_EQ(pixelAt(*image, right, bottom).a, 0);
        int opaqueOnLowerEdge = 0;
        for (int x = 0; x <= right; ++x) opaqueOnLowerEdge += pixelAt(*image, x, bottom).a == 255;
        EXPECT_EQ(opaqueOnLowerEdge > 0, c.standsOnFloor);
    }
}

TEST(AssetImages, EnemiesGrowWithTheirKind) {
    int previousArea = 0, previousTop = 100;
    for (int kind = 0; kind < 5; ++kind) {
        SCOPED_TRACE(kind);
        const Surface image =
            loadRgba(fs::path(kAssets) / ("enemy" + std::to_string(kind + 1) + ".png"));
        int area = 0, top = image->h;
        for (int y = 0; y < image->h; ++y) {
            for (int x = 0; x < image->w; ++x) {
                if (pixelAt(*image, x, y).a == 0) continue;
                ++area;
                top = std::min(top, y);
            }
        }
        EXPECT_GT(area, previousArea);
        EXPECT_LT(top, previousTop);
        previousArea = area;
        previousTop = top;
    }
}

TEST(AssetImages, HealthBarIsShadedAcrossItsHeightOnly) {
    const Surface bar = loadRgba(fs::path(kAssets) / "health1.png");
    int distinctRows = 0;
    for (int y = 0; y < bar->h; ++y) {
        const Rgba first = pixelAt(*bar, 0, y);
        EXPECT_EQ(first.a, 255) << "row " << y;
        for (int x = 1; x < bar->w; ++x) {
            const Rgba p = pixelAt(*bar, x, y);
            EXPECT_TRUE(p.r == first.r && p.g == first.g && p.b == first.b) << "row " << y;
        }
        if (y > 0) {
            const Rgba above = pixelAt(*bar, 0, y - 1);
            distinctRows += above.r != first.r || above.g != first.g || above.b != first.b;
        }
    }
    EXPECT_GE(distinctRows, 5);
}

// The worst contrast between `ink` and the background over a box.
double worstContrast(const SDL_Surface& back, const Box& box, Rgba ink) {
    double worst = 100.0;
    for (int y = box.y; y < box.y + box.h; ++y) {
        for (int x = box.x; x < box.x + box.w; ++x) {
            worst = std::min(worst, contrast(pixelAt(back, x, y), ink));
        }
    }
    return worst;
}

TEST(Background, TextAndOutlinesReadWhereTheGameDrawsThem) {
    const Surface back = loadRgba(fs::path(kAssets) / "back1.png");
    EXPECT_GE(worstContrast(*back, kHudArea, kPaleYellow), 7.0) << "HUD";
    for (const Box& b : kButtons) {
        SCOPED_TRACE(b.x * 1000 + b.y);
        EXPECT_GE(worstContrast(*back, b, kPaleYellow), 4.5) << "label over the plate";
        // The pixels on both sides of the black one-pixel outline.
        const Box outside{b.x - 1, b.y - 1, b.w + 2, 1}, inside{b.x + 1, b.y + 1, b.w - 2, 1};
        const Box outsideLeft{b.x - 1, b.y, 1, b.h}, insideLeft{b.x + 1, b.y + 1, 1, b.h - 2};
        for (const Box& ring : {outside, inside, outsideLeft, insideLeft}) {
            EXPECT_GE(worstContrast(*back, ring, kBlack), 2.5) << "outline";
        }
    }
}

TEST(Background, DamageNumbersNeverMeetTheirOwnColour) {
    const Surface back = loadRgba(fs::path(kAssets) / "back1.png");
    const Rgba red{255, 0, 50, 255}, green{0, 255, 50, 255};
    for (int y = 240; y < 800; y += 3) {
        for (int x = 200; x < 780; x += 3) {
            const Rgba p = pixelAt(*back, x, y);
            for (const Rgba ink : {red, green}) {
                const int distance =
                    std::abs(p.r - ink.r) + std::abs(p.g - ink.g) + std::abs(p.b - ink.b);
                ASSERT_GT(distance, 200) << "at (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(AssetSounds, Are44100Hz16BitPcmOfTheirLengthWithoutClipping) {
    const struct {
        const char* file;
        double shortest, longest;  // seconds
    } cases[] = {{"vrask.wav", 20.0, 40.0},
                 {"button.wav", 0.05, 1.0},
                 {"enemydeath.wav", 0.05, 1.0},
                 {"vrasksound.wav", 0.05, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Sound sound = loadSound(fs::path(kAssets) / c.file);
        EXPECT_EQ(sound.info.samplerate, 44100);
        EXPECT_EQ(sound.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_TRUE(sound.info.channels == 1 || sound.info.channels == 2);
        const double seconds = static_cast<double>(sound.info.frames) / sound.info.samplerate;
        EXPECT_GE(seconds, c.shortest);
        EXPECT_LT(seconds, c.longest);
        int loudest = 0;
        for (const short s : sound.samples)
            loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        EXPECT_LT(loudest, 32767) << "clipped";
        EXPECT_GT(loudest, 16000) << "too quiet to be heard at the game's volume";
    }
}

TEST(AssetSounds, StartAndEndWithoutAClick) {
    // The music loops: its last sample runs into its first. Effects start and stop near silence.
    const struct {
        const char* file;
        bool loops;
    } cases[] = {{"vrask.wav", true},
                 {"button.wav", false},
                 {"enemydeath.wav", false},
                 {"vrasksound.wav", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Sound sound = loadSound(fs::path(kAssets) / c.file);
        const int first = sound.samples.front(), last = sound.samples.back();
        if (c.loops) {
            EXPECT_LT(std::abs(last - first), 600);
        } else {
            EXPECT_LT(std::abs(first), 300);
            EXPECT_LT(std::abs(last), 300);
        }
    }
}

TEST(Tune, ReadsNotesAndRefusesBadBars) {
    const std::vector<Note> notes = parseTune("A4:2 -:2 C#5:4 | Bb3:8");
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].midi, 69);
    EXPECT_EQ(notes[1].midi, -1);
    EXPECT_EQ(notes[2].midi, 73);
    EXPECT_EQ(notes[3].midi, 58);
    EXPECT_EQ(notes[2].eighths, 4);
    for (const char* bad : {"A4:7", "A4:4 | A4:8", "H4:8", "A4", "A4:0 A4:8", "A4:4 A44:4"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(parseTune(bad), std::invalid_argument);
    }
}

TEST(PixelArt, NamesWhatIsWrongWithAGrid) {
    const Palette palette = {{'k', {0, 0, 0, 255}}};
    const struct {
        Grid grid;
        bool drawable;
    } cases[] = {{{"k.k", ".k."}, true}, {{"k.k", ".k"}, false}, {{"kxk"}, false}, {{}, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(gridProblem(c.grid, palette).empty(), c.drawable);
        Image image = makeImage(3, 2);
        if (!c.drawable) {
            EXPECT_THROW(stampGrid(image, c.grid, palette, 0, 0, 1, "case"), std::invalid_argument);
        }
    }
    Image image = makeImage(6, 4);
    stampGrid(image, {"k.", ".k"}, palette, 1, 0, 2, "scaled");
    EXPECT_EQ(image.at(1, 0).a, 255);
    EXPECT_EQ(image.at(2, 1).a, 255);
    EXPECT_EQ(image.at(3, 0).a, 0);
    EXPECT_EQ(image.at(4, 3).a, 255);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GeneratedFolder);
    return RUN_ALL_TESTS();
}
