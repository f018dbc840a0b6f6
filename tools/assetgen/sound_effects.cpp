#include "sound_effects.h"

#include <cmath>

#include "loudness.h"

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

Samples silence(double seconds) {
    return Samples(static_cast<std::size_t>(seconds * kSampleRate), 0.0);
}

std::size_t frameAt(double seconds) {
    return static_cast<std::size_t>(seconds * kSampleRate);
}

// One bell tone: a few partials, the higher ones dying sooner, as a struck bar of metal rings.
void addBell(Samples& out, double startSeconds, double frequency, double gain) {
    static const double kPartials[4][3] = {
        // ratio, level, decay per second
        {1.0, 1.0, 5.0},
        {2.0, 0.5, 8.0},
        {3.01, 0.25, 12.0},
        {4.2, 0.15, 18.0},
    };
    const std::size_t start = frameAt(startSeconds);
    for (std::size_t i = start; i < out.size(); ++i) {
        const double t = static_cast<double>(i - start) / kSampleRate;
        const double strike = std::min(1.0, t / 0.002);
        double tone = 0.0;
        for (const auto& partial : kPartials) {
            tone += partial[1] * std::exp(-partial[2] * t) *
                    std::sin(kTwoPi * frequency * partial[0] * t);
        }
        out[i] += gain * strike * tone;
    }
}

}  // namespace

Samples composeButtonSound() {
    Samples out = silence(0.26);
    Random noise{0xB077u};
    // Noise through a band-pass whose centre sweeps up and back down, louder in the middle.
    double low = 0.0;
    double band = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(out.size());
        const double centre = 600.0 + 2600.0 * std::sin(3.14159265 * t);
        const double f = 2.0 * std::sin(3.14159265 * centre / kSampleRate);
        const double q = 0.35;
        const double high = noise.signedUnit() - low - q * band;
        band += f * high;
        low += f * band;
        const double swell = std::sin(3.14159265 * std::pow(t, 0.6));
        out[i] = band * swell * swell;
    }
    centreAndFade(out, 0.004, 0.004);
    levelTo(out, &Loudness::momentaryMax, kEffectLoudness);
    return out;
}

Samples composeEnemyDeathSound() {
    Samples out = silence(0.62);
    Random noise{0xDEADu};
    const Voice groan{Wave::Square, 0.4, {0.005, 0.25, 0.5, 0.2}, 0.5, 0.4, 9.0, -34.0, 1800.0};
    const Voice undertone{Wave::Saw, 0.5, {0.005, 0.3, 0.4, 0.2}, 0.4, 0.0, 5.0, -30.0, 700.0};
    const Voice crunch{Wave::Noise, 0.5, {0.001, 0.07, 0.0, 0.08}, 0.6, 0.0, 5.0, 0.0, 2400.0};
    addNote(out, 0, 0.38, noteFrequency(noteNumber("A4")), groan, false, noise);
    addNote(out, 0, 0.38, noteFrequency(noteNumber("A2")), undertone, false, noise);
    addNote(out, 0, 0.06, 1.0, crunch, false, noise);
    centreAndFade(out, 0.002, 0.01);
    levelTo(out, &Loudness::momentaryMax, kEffectLoudness);
    return out;
}

Samples composeVraskSound() {
    Samples out = silence(0.9);
    // E major rising: E6, G#6, B6, E7, with a soft low E5 under the first strike.
    const char* const kNotes[] = {"E6", "G#6", "B6", "E7"};
    double start = 0.0;
    for (const char* note : kNotes) {
        addBell(out, start, noteFrequency(noteNumber(note)), 0.3);
        start += 0.07;
    }
    addBell(out, 0.0, noteFrequency(noteNumber("E5")), 0.25);
    centreAndFade(out, 0.002, 0.15);
    levelTo(out, &Loudness::momentaryMax, kEffectLoudness);
    return out;
}
