// Runs one of the benchmark's frames a fixed number of times, for the tools that want a plain
// program: callgrind (instructions per frame, free of the machine's noise), massif or heaptrack
// (the heap over a long run), or no tool at all (the heap in use and the resident memory).
//
//   brannoch_frame_count bare|floor|full FRAMES [CHECKPOINTS]
//
// Prints, at CHECKPOINTS evenly spaced frames (default 10), the heap bytes in use (mallinfo2)
// and the resident set, then the peak resident set. For the full frame it also checks that the
// fight state is the same after the run as before it. Exits 1 when the heap in use at the end
// differs from the one after the warm-up frames, or the state moved. (SDL's renderer grows its
// own command buffers once, in the second frame; the warm-up leaves that out of the comparison.)
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "fight.h"

namespace {

// A "Vm...:" line of /proc/self/status, in KiB.
long statusKib(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) return std::atol(line.c_str() + length + 1);
    }
    return -1;
}

constexpr long kWarmUpFrames = 3;

// Bytes handed out by malloc, the large blocks it maps on their own (the 800x800 images) included.
size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s bare|floor|full FRAMES [CHECKPOINTS]\n", argv[0]);
        return 2;
    }
    const std::string which = argv[1];
    const long frames = std::atol(argv[2]);
    const long checkpoints = argc > 3 ? std::atol(argv[3]) : 10;
    if ((which != "bare" && which != "floor" && which != "full") || frames < 1 || checkpoints < 1) {
        std::fprintf(stderr, "usage: %s bare|floor|full FRAMES [CHECKPOINTS]\n", argv[0]);
        return 2;
    }

    AssetSet assets;
    if (!bench::openScreen(assets)) return 1;
    GameState state = bench::makeFightState(assets);
    const bench::FightSummary before = bench::summarize(state);
    const auto frame = [&] {
        if (which == "bare") {
            bench::bareFrame(assets);
        } else if (which == "floor") {
            bench::floorFrame(assets);
        } else {
            bench::fullFrame(state);
        }
    };

    const long warmUp = frames < kWarmUpFrames ? frames : kWarmUpFrames;
    std::printf("%10s %14s %10s\n", "frame", "heap in use B", "RSS KiB");
    for (long done = 1; done <= warmUp; ++done) {
        frame();
        std::printf("%10ld %14zu %10ld\n", done, heapInUse(), statusKib("VmRSS:"));
    }
    const size_t heapAfterWarmUp = heapInUse();
    const long every = frames / checkpoints > 0 ? frames / checkpoints : 1;
    for (long done = warmUp + 1; done <= frames; ++done) {
        frame();
        if (done % every == 0 || done == frames) {
            std::printf("%10ld %14zu %10ld\n", done, heapInUse(), statusKib("VmRSS:"));
        }
    }
    const size_t heapAtEnd = heapInUse();
    std::printf("peak RSS %ld KiB; heap in use after frame %ld: %zu B, after frame %ld: %zu B\n",
                statusKib("VmHWM:"), warmUp, heapAfterWarmUp, frames, heapAtEnd);

    const bool stationary = bench::summarize(state) == before;
    if (!stationary) std::printf("the fight state changed during the run\n");
    bench::closeScreen(assets);
    return heapAtEnd == heapAfterWarmUp && stationary ? 0 : 1;
}
