#include "world/map_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The reader's checks of fuzz/map_fuzz.cpp: the first rule broken, or empty.
std::string mapBreach(const uint8_t* data, size_t size);

namespace {

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The fuzzer's seeds: empty, line feeds, the mark alone, two marks, letters, tabs and any bytes
// taking cells, CR LF, no last line feed; and the shipped map has one mark.
TEST(MapFile, EveryFuzzSeedReadsAsTheGameExpects) {
    int seeds = 0;
    for (const auto& seed : std::filesystem::directory_iterator(BRANNOCH_FUZZ_CORPUS)) {
        const std::string bytes = bytesOf(seed.path());
        EXPECT_EQ(readText(seed.path().c_str()), bytes);
        EXPECT_EQ(mapBreach(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "")
            << seed.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 8);
    const std::string shipped = bytesOf(BRANNOCH_ASSET_DIR "/map.miap");
    EXPECT_EQ(std::count(shipped.begin(), shipped.end(), '@'), 1);
}

}  // namespace
