#include "loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>

namespace {

double decibels(double ratio) {
    return 20.0 * std::log10(ratio);
}

double mean(const Samples& samples) {
    if (samples.empty()) return 0.0;
    return std::accumulate(samples.begin(), samples.end(), 0.0) /
           static_cast<double>(samples.size());
}

}  // namespace

Loudness measureLoudness(const Samples& samples, int rate) {
    const std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> meter(
        ebur128_init(1, static_cast<unsigned>(rate), EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK),
        [](ebur128_state* state) { ebur128_destroy(&state); });
    if (!meter) throw std::runtime_error("libebur128 cannot start a meter");
    // The sound and then 400 ms of silence, looked at every 100 ms as a meter shows it; the
    // integrated loudness and the peak are of the sound alone.
    Samples padded = samples;
    const auto step = static_cast<std::size_t>(rate / 10);
    padded.resize(samples.size() + 4 * step, 0.0);
    Loudness result;
    result.integrated = result.momentaryMax = -HUGE_VAL;
    double peak = 0.0;
    const auto check = [](int status) {
        if (status != EBUR128_SUCCESS)
            throw std::runtime_error("libebur128 cannot measure a sound");
    };
    for (std::size_t at = 0; at < padded.size();) {
        std::size_t end = std::min(at + step - at % step, padded.size());
        if (at < samples.size()) end = std::min(end, samples.size());
        check(ebur128_add_frames_double(meter.get(), padded.data() + at, end - at));
        at = end;
        if (at == samples.size()) {
            check(ebur128_loudness_global(meter.get(), &result.integrated));
            check(ebur128_true_peak(meter.get(), 0, &peak));
        }
        if (at % step == 0 || at == padded.size()) {
            double momentary = -HUGE_VAL;
            check(ebur128_loudness_momentary(meter.get(), &momentary));
            result.momentaryMax = std::max(result.momentaryMax, momentary);
        }
    }
    result.truePeak = decibels(peak);
    result.dcOffset = mean(samples);
    return result;
}

double musicFileLoudness() {
    return kEffectLoudness - kMusicBelowEffects - decibels(kMusicGain);
}

void removeDcOffset(Samples& samples) {
    const double offset = mean(samples);
    for (double& sample : samples) sample -= offset;
}

void levelTo(Samples& samples, double Loudness::*of, double target) {
    const Loudness before = measureLoudness(samples);
    const double gain = target - before.*of;
    if (!std::isfinite(gain) || before.truePeak + gain > kTruePeakCeiling) {
        throw std::runtime_error("a sound at " + std::to_string(target) + " LUFS would peak at " +
                                 std::to_string(before.truePeak + gain) + " dBTP");
    }
    const double factor = std::pow(10.0, gain / 20.0);
    for (double& sample : samples) sample *= factor;
}
