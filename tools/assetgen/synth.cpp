#include "synth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

// Smooths the jump of a square or saw wave over one sample on each side, so high notes do
// not fold back into the audible range as harsh whistles.
double polyBlep(double phase, double step) {
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double oscillator(const Voice& voice, double phase, double step, Random& noise) {
    switch (voice.wave) {
        case Wave::Sine:
            return std::sin(kTwoPi * phase);
        case Wave::Triangle:
            return 1.0 - 4.0 * std::fabs(phase - 0.5);
        case Wave::Square: {
            double value = phase < voice.duty ? 1.0 : -1.0;
            value += polyBlep(phase, step);
            value -= polyBlep(std::fmod(phase + 1.0 - voice.duty, 1.0), step);
            return value;
        }
        case Wave::Saw:
            return 2.0 * phase - 1.0 - polyBlep(phase, step);
        case Wave::Noise:
            return noise.signedUnit();
    }
    return 0.0;
}

}  // namespace

double envelopeLevel(const Envelope& envelope, double t, double held) {
    const auto sustained = [&](double at) {
        if (at < envelope.attack) return at / envelope.attack;
        const double intoDecay = (at - envelope.attack) / std::max(envelope.decay, 1e-6);
        return envelope.sustain + (1.0 - envelope.sustain) * std::exp(-4.0 * intoDecay);
    };
    if (t < 0.0) return 0.0;
    if (t < held) return sustained(t);
    const double released = (t - held) / std::max(envelope.release, 1e-6);
    if (released >= 1.0) return 0.0;
    return sustained(held) * (1.0 - released) * (1.0 - released);
}

double noteFrequency(double midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

int noteNumber(const std::string& name) {
    static const int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
    int note = kSteps[name[0] - 'A'];
    std::size_t at = 1;
    if (name[at] == '#') {
        ++note;
        ++at;
    } else if (name[at] == 'b') {
        --note;
        ++at;
    }
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '8') return -1;
    return note + 12 * (name[at] - '0' + 1);
}

void addNote(Samples& out, std::size_t start, double held, double frequency, const Voice& voice,
             bool wrap, Random& noise) {
    const double length = held + voice.envelope.release;
    const auto frames = static_cast<std::size_t>(length * kSampleRate);
    const double cutoff =
        voice.lowpass > 0.0 ? 1.0 - std::exp(-kTwoPi * voice.lowpass / kSampleRate) : 1.0;
    double phase = 0.0;
    double low1 = 0.0;
    double low2 = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        std::size_t at = start + i;
        if (at >= out.size()) {
            if (!wrap || out.empty()) break;
            at %= out.size();
        }
        const double t = static_cast<double>(i) / kSampleRate;
        // Vibrato waits a little, as a singer's would, and then sets in.
        const double vibrato =
            voice.vibratoDepth * std::min(1.0, t * 4.0) * std::sin(kTwoPi * voice.vibratoRate * t);
        const double f = frequency * std::pow(2.0, (vibrato + voice.slide * t) / 12.0);
        const double step = std::min(f / kSampleRate, 0.5);
        const double raw = oscillator(voice, phase, step, noise);
        phase = std::fmod(phase + step, 1.0);
        low1 += cutoff * (raw - low1);
        low2 += cutoff * (low1 - low2);
        out[at] += low2 * voice.gain * envelopeLevel(voice.envelope, t, held);
    }
}

void centreAndFade(Samples& samples, double inSeconds, double outSeconds) {
    Samples weight(samples.size(), 1.0);
    const auto ramp = [&](double seconds, auto&& weightAt) {
        const auto frames =
            std::min(samples.size() / 2, static_cast<std::size_t>(seconds * kSampleRate));
        for (std::size_t i = 0; i < frames; ++i) {
            weightAt(i) = static_cast<double>(i) / static_cast<double>(frames);
        }
    };
    ramp(inSeconds, [&](std::size_t i) -> double& { return weight[i]; });
    ramp(outSeconds, [&](std::size_t i) -> double& { return weight[weight.size() - 1 - i]; });
    // The offset c with sum(weight * (sample - c)) = 0.
    double weighted = 0.0;
    double total = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        weighted += weight[i] * samples[i];
        total += weight[i];
    }
    const double offset = total > 0.0 ? weighted / total : 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = weight[i] * (samples[i] - offset);
}

bool writeWav(const Samples& samples, const std::string& path, int rate) {
    std::vector<short> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](double sample) {
        return static_cast<short>(std::clamp(std::lround(sample * 32767.0), -32767L, 32767L));
    });
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    const auto frames = static_cast<sf_count_t>(pcm.size());
    const bool written = sf_write_short(file, pcm.data(), frames) == frames;
    if (!written) std::fprintf(stderr, "%s: %s\n", path.c_str(), sf_strerror(file));
    return sf_close(file) == 0 && written;
}
