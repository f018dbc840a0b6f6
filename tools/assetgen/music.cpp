#include "music.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "loudness.h"

namespace {

// 126 beats a minute gives a whole number of frames per eighth, so bars never drift.
constexpr std::size_t kEighth = kSampleRate * 60 / 126 / 2;
constexpr std::size_t kBarFrames = 8 * kEighth;
constexpr int kBars = 16;

// The tune. Bars 1-8 state the theme and end on the dominant; bars 9-16 climb through the
// minor subdominant and fall back to E, which leads into the first bar again.
const char* const kMelody =
    "A4:2 E5:4 D5:1 C5:1 | C5:2 A4:2 F5:3 E5:1 | E5:2 G5:2 E5:2 C5:2 | D5:4 B4:2 G4:2 | "
    "A4:2 E5:4 D5:1 C5:1 | C5:2 F5:2 A5:3 G5:1 | G#5:2 E5:2 D5:2 B4:2 | E5:5 B4:1 C5:1 D5:1 | "
    "F5:3 E5:1 D5:2 A4:2 | C5:3 B4:1 A4:2 E4:2 | F4:2 A4:2 D5:2 F5:2 | E5:4 G#4:2 B4:2 | "
    "A4:2 C5:2 F5:3 E5:1 | D5:2 B4:2 G5:3 F5:1 | E5:2 C5:2 A4:2 B4:1 C5:1 | B4:2 G#4:2 E4:2 -:2";

// One chord a bar: the bass root and three notes for the pad and the arpeggio.
struct Chord {
    const char* root;
    const char* tones[3];
};
const Chord kChords[kBars] = {
    {"A2", {"A3", "C4", "E4"}},  {"F2", {"A3", "C4", "F4"}},  {"C3", {"G3", "C4", "E4"}},
    {"G2", {"G3", "B3", "D4"}},  {"A2", {"A3", "C4", "E4"}},  {"F2", {"A3", "C4", "F4"}},
    {"E2", {"G#3", "B3", "E4"}}, {"E2", {"G#3", "B3", "E4"}}, {"D2", {"A3", "D4", "F4"}},
    {"A2", {"A3", "C4", "E4"}},  {"D2", {"A3", "D4", "F4"}},  {"E2", {"G#3", "B3", "E4"}},
    {"F2", {"A3", "C4", "F4"}},  {"G2", {"G3", "B3", "D4"}},  {"A2", {"A3", "C4", "E4"}},
    {"E2", {"G#3", "B3", "E4"}},
};

const Voice kLead{Wave::Square, 0.25, {0.01, 0.18, 0.55, 0.12}, 0.20, 0.18, 5.5, 0.0, 3200.0};
const Voice kPad{Wave::Saw, 0.5, {0.25, 0.6, 0.6, 0.4}, 0.035, 0.08, 4.0, 0.0, 1100.0};
const Voice kArpeggio{Wave::Triangle, 0.5, {0.004, 0.08, 0.2, 0.05}, 0.07, 0.0, 5.0, 0.0, 0.0};
const Voice kBass{Wave::Saw, 0.5, {0.005, 0.12, 0.6, 0.04}, 0.26, 0.0, 5.0, 0.0, 520.0};
const Voice kKick{Wave::Sine, 0.5, {0.002, 0.12, 0.0, 0.05}, 0.55, 0.0, 5.0, -140.0, 0.0};
const Voice kSnare{Wave::Noise, 0.5, {0.001, 0.06, 0.0, 0.06}, 0.16, 0.0, 5.0, 0.0, 5200.0};
const Voice kSnareBody{Wave::Triangle, 0.5, {0.001, 0.05, 0.0, 0.04}, 0.14, 0.0, 5.0, -30.0, 0.0};
const Voice kHat{Wave::Noise, 0.5, {0.001, 0.02, 0.0, 0.02}, 0.05, 0.0, 5.0, 0.0, 0.0};

int midiOf(const char* name) {
    return noteNumber(name);
}

double eighthsToSeconds(double eighths) {
    return eighths * static_cast<double>(kEighth) / kSampleRate;
}

void addMelody(Samples& track, Random& noise) {
    std::size_t at = 0;
    for (const Note& note : parseTune(kMelody)) {
        if (note.midi >= 0) {
            // Notes are let go a little early, so repeated pitches are heard as two.
            addNote(track, at, eighthsToSeconds(note.eighths) * 0.85, noteFrequency(note.midi),
                    kLead, true, noise);
        }
        at += static_cast<std::size_t>(note.eighths) * kEighth;
    }
}

// A dotted-quarter echo of the tune, fed back twice; it reads around the loop, so the echo of
// the last bar sounds over the first.
void addEcho(Samples& track, const Samples& source) {
    const std::size_t delay = 3 * kEighth;
    Samples echo(source.size(), 0.0);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < source.size(); ++i) {
            const std::size_t from = (i + source.size() - delay) % source.size();
            echo[i] = 0.3 * (source[from] + echo[from]);
        }
    }
    for (std::size_t i = 0; i < track.size(); ++i) track[i] += source[i] + echo[i];
}

void addHarmony(Samples& track, Random& noise) {
    static const int kBassPattern[8] = {0, 0, 12, 0, 0, 12, 7, 12};
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = kChords[bar];
        const std::size_t barStart = static_cast<std::size_t>(bar) * kBarFrames;
        for (const char* tone : chord.tones) {
            addNote(track, barStart, eighthsToSeconds(7.5), noteFrequency(midiOf(tone)), kPad, true,
                    noise);
        }
        for (int step = 0; step < 8; ++step) {
            const int note = midiOf(chord.root) + kBassPattern[step];
            addNote(track, barStart + static_cast<std::size_t>(step) * kEighth,
                    eighthsToSeconds(0.8), noteFrequency(note), kBass, true, noise);
        }
        // Sixteenths up and down the chord, an octave above the pad.
        static const int kOrder[8] = {0, 1, 2, 1, 0, 1, 2, 1};
        for (int step = 0; step < 16; ++step) {
            const int note = midiOf(chord.tones[kOrder[step % 8]]) + 12;
            addNote(track, barStart + static_cast<std::size_t>(step) * kEighth / 2,
                    eighthsToSeconds(0.35), noteFrequency(note), kArpeggio, true, noise);
        }
    }
}

void addDrums(Samples& track, Random& noise) {
    for (int bar = 0; bar < kBars; ++bar) {
        const std::size_t barStart = static_cast<std::size_t>(bar) * kBarFrames;
        const bool lastBar = bar == kBars - 1;
        for (int step = 0; step < 8; ++step) {
            const std::size_t at = barStart + static_cast<std::size_t>(step) * kEighth;
            if (step == 0 || step == 4 || (step == 5 && bar % 2 == 1)) {
                addNote(track, at, 0.12, 110.0, kKick, true, noise);
            }
            // The last bar rolls the snare on every eighth of its second half into the loop.
            if (step == 2 || step == 6 || (lastBar && step >= 4)) {
                addNote(track, at, 0.06, 1.0, kSnare, true, noise);
                addNote(track, at, 0.05, 190.0, kSnareBody, true, noise);
            }
            addNote(track, at, 0.02, 1.0, kHat, true, noise);
        }
    }
}

}  // namespace

std::vector<Note> parseTune(const std::string& text) {
    std::vector<Note> notes;
    std::istringstream words(text);
    std::string word;
    int barLength = 0;
    const auto closeBar = [&] {
        if (barLength != 8) {
            throw std::invalid_argument("a bar of " + std::to_string(barLength) +
                                        " eighths before note " + std::to_string(notes.size()));
        }
        barLength = 0;
    };
    while (words >> word) {
        if (word == "|") {
            closeBar();
            continue;
        }
        const std::size_t colon = word.find(':');
        if (colon == std::string::npos) throw std::invalid_argument("no length in " + word);
        const std::string name = word.substr(0, colon);
        Note note;
        note.midi = name == "-" ? -1 : noteNumber(name);
        note.eighths = std::stoi(word.substr(colon + 1));
        if (name != "-" && note.midi < 0) throw std::invalid_argument("unknown note " + name);
        if (note.eighths <= 0) throw std::invalid_argument("empty length in " + word);
        barLength += note.eighths;
        notes.push_back(note);
    }
    closeBar();
    return notes;
}

Samples composeMusic() {
    Samples track(static_cast<std::size_t>(kBars) * kBarFrames, 0.0);
    Random noise{0x5EEDu};
    Samples melody(track.size(), 0.0);
    addMelody(melody, noise);
    addEcho(track, melody);
    addHarmony(track, noise);
    addDrums(track, noise);
    // Square and saw voices leave the mix off centre; a constant taken off keeps the loop whole.
    removeDcOffset(track);
    levelTo(track, &Loudness::integrated, musicFileLoudness());
    return track;
}

Samples halveRate(const Samples& loop) {
    // A windowed sinc cut off halfway between 10 kHz and the new Nyquist frequency, 11,025 Hz,
    // under a four-term Blackman-Harris window (side lobes 92 dB down).
    constexpr int kHalfTaps = 200;
    constexpr double kPi = 3.14159265358979323846;
    constexpr double kCutoff = 10512.5 / kSampleRate;  // cycles per input sample
    std::vector<double> taps(2 * kHalfTaps + 1);
    double sum = 0.0;
    for (int k = -kHalfTaps; k <= kHalfTaps; ++k) {
        const double x = 2.0 * kPi * (k + kHalfTaps) / (2 * kHalfTaps);
        const double window =
            0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x);
        const double sinc = k == 0 ? 2 * kCutoff : std::sin(2 * kPi * kCutoff * k) / (kPi * k);
        taps[static_cast<std::size_t>(k + kHalfTaps)] = sinc * window;
        sum += sinc * window;
    }
    const std::size_t length = loop.size();
    Samples half(length / 2, 0.0);
    for (std::size_t i = 0; i < half.size(); ++i) {
        double value = 0.0;
        for (std::size_t t = 0; t < taps.size(); ++t) {
            value += taps[t] * loop[(2 * i + length + t - kHalfTaps) % length];
        }
        half[i] = value / sum;
    }
    return half;
}
