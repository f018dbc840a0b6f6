#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "random.h"

// Every sound of the game is mono, 44100 frames a second, written as 16-bit PCM.
inline constexpr int kSampleRate = 44100;

// Samples from -1 to 1; the writer scales them to 16 bits.
using Samples = std::vector<double>;

enum class Wave { Sine, Triangle, Square, Saw, Noise };

// Attack, decay and release in seconds; sustain is the level held after the decay (0..1).
struct Envelope {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.05;
};

// An instrument: a wave through an optional low-pass filter, shaped by an envelope.
struct Voice {
    Wave wave = Wave::Sine;
    double duty = 0.5;  // share of the period a square wave spends high
    Envelope envelope;
    double gain = 0.2;
    double vibratoDepth = 0.0;  // semitones
    double vibratoRate = 5.0;   // per second
    double slide = 0.0;         // pitch change in semitones per second
    double lowpass = 0.0;       // cut-off in Hz; 0 leaves the wave unfiltered
};

// Level of the envelope `t` seconds into a note held for `held` seconds (release follows).
double envelopeLevel(const Envelope& envelope, double t, double held);

// The frequency of a MIDI note number (69 is the A of 440 Hz).
double noteFrequency(double midiNote);

// The MIDI number of a note name such as "A4", "C#5" or "Bb3"; -1 for anything else.
int noteNumber(const std::string& name);

// Adds one note to `out` from frame `start`, held for `held` seconds and then released. When
// `wrap` is true the tail runs on from the start of `out`, as a looped track needs.
void addNote(Samples& out, std::size_t start, double held, double frequency, const Voice& voice,
             bool wrap, Random& noise);

// Ramps the first `inSeconds` of a one-shot sound up and its last `outSeconds` down, so it
// starts and stops without a click, after taking away the constant that leaves the faded
// sound centred on zero (no DC offset to thump when it starts and stops).
void centreAndFade(Samples& samples, double inSeconds, double outSeconds);

// Writes the samples as a mono 16-bit PCM WAV file of `rate` frames a second with libsndfile;
// false (with a message on stderr) on failure.
bool writeWav(const Samples& samples, const std::string& path, int rate = kSampleRate);
