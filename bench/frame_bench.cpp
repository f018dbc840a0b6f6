// Time per frame of a typical fight on SDL's software renderer, three ways, and what the game's
// own code adds to the library calls it cannot avoid:
//   bare  - clear, background, present;
//   floor - the SDL and SDL_ttf calls of the fight's frame, written out by hand;
//   full  - the same fight through the game's frame steps.
// After the runs it prints full/floor and full/bare, from the median of the repetitions when
// there are several (pass --benchmark_repetitions=N), on CPU time. The machine may be shared, and
// a load that changes between one case and the next skews those; so it also times single frames
// of the three cases taken in turn, and prints the ratios of their medians, which such drift
// touches alike.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "fight.h"

namespace {

AssetSet assets;

void BM_BareFrame(benchmark::State& run) {
    for (auto _ : run) bench::bareFrame(assets);
}

void BM_FloorFrame(benchmark::State& run) {
    for (auto _ : run) bench::floorFrame(assets);
}

void BM_FullFrame(benchmark::State& run) {
    GameState state = bench::makeFightState(assets);
    const bench::FightSummary before = bench::summarize(state);
    for (auto _ : run) bench::fullFrame(state);
    // A frame that aged, struck, killed or clicked would no longer be the fight being timed.
    if (bench::summarize(state) != before) run.SkipWithError("the fight state changed");
}

BENCHMARK(BM_BareFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullFrame)->Unit(benchmark::kMicrosecond);

// The console table as usual, keeping each case's per-frame CPU and real time: the median
// aggregate when there is one, otherwise the single run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    struct Times {
        double cpu = 0.0;
        double real = 0.0;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const std::string name = run.run_name.function_name;
            if (median || (run.run_type == Run::RT_Iteration && !medians_.count(name))) {
                times_[name] = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
                if (median) medians_[name] = true;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const Times* find(const std::string& name) const {
        const auto found = times_.find(name);
        return found == times_.end() ? nullptr : &found->second;
    }

  private:
    std::map<std::string, Times> times_;
    std::map<std::string, bool> medians_;
};

// The floor must draw exactly what the game draws, or the ratio compares different frames.
bool floorMatchesGame() {
    bench::floorFrame(assets);
    const std::vector<Uint32> floor = bench::framePixels();
    GameState state = bench::makeFightState(assets);
    bench::fullFrame(state);
    const std::vector<Uint32> full = bench::framePixels();
    size_t differing = 0;
    for (size_t i = 0; i < floor.size(); ++i) differing += floor[i] != full[i];
    if (differing != 0) {
        std::fprintf(stderr, "the hand-written frame differs from the game's in %zu pixels\n",
                     differing);
    }
    return differing == 0;
}

double threadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Rounds of one bare, one floor and one full frame, each timed on its own.
void printInterleavedMedians(int rounds) {
    GameState state = bench::makeFightState(assets);
    std::vector<double> bare, floor, full;
    for (int round = 0; round < rounds; ++round) {
        double start = threadCpuMicroseconds();
        bench::bareFrame(assets);
        double stop = threadCpuMicroseconds();
        bare.push_back(stop - start);
        start = stop;
        bench::floorFrame(assets);
        stop = threadCpuMicroseconds();
        floor.push_back(stop - start);
        start = stop;
        bench::fullFrame(state);
        stop = threadCpuMicroseconds();
        full.push_back(stop - start);
    }
    const double bareMedian = median(bare), floorMedian = median(floor), fullMedian = median(full);
    std::printf(
        "\ninterleaved, %d rounds, CPU median per frame: bare %.1f us, floor %.1f us, "
        "full %.1f us\n",
        rounds, bareMedian, floorMedian, fullMedian);
    std::printf("interleaved: full/floor = %.3f (target <= 1.10)   full/bare = %.2f\n",
                fullMedian / floorMedian, fullMedian / bareMedian);
}

constexpr int kInterleavedRounds = 1000;

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!bench::openScreen(assets)) return 1;
    if (!floorMatchesGame()) return 1;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const RatioReporter::Times* bare = reporter.find("BM_BareFrame");
    const RatioReporter::Times* floor = reporter.find("BM_FloorFrame");
    const RatioReporter::Times* full = reporter.find("BM_FullFrame");
    if (bare != nullptr && floor != nullptr && full != nullptr) {
        std::printf("\nper frame (CPU, median): bare %.1f us, floor %.1f us, full %.1f us\n",
                    bare->cpu, floor->cpu, full->cpu);
        std::printf("full/floor = %.3f (target <= 1.10)   full/bare = %.2f\n",
                    full->cpu / floor->cpu, full->cpu / bare->cpu);
        std::printf("real time:  full/floor = %.3f   full/bare = %.2f\n", full->real / floor->real,
                    full->real / bare->real);
    }
    printInterleavedMedians(kInterleavedRounds);
    bench::closeScreen(assets);
    return 0;
}
