#pragma once

#include <string>
#include <vector>

#include "synth.h"

// A played note of a tune: its MIDI number (-1 for a rest) and its length in eighth notes.
struct Note {
    int midi = -1;
    int eighths = 0;
};

// Reads a tune written as "A4:2 E5:4 | D5:1 ..." (name and length in eighths, "-" a rest,
// "|" between bars). Throws std::invalid_argument on an unknown name or a bar that is not
// eight eighths long.
std::vector<Note> parseTune(const std::string& text);

// "vrask.wav": sixteen bars in A minor at 126 beats a minute, a little over 30 seconds, made to
// loop: every tail that runs past the end is laid over the start.
Samples composeMusic();

// The browser's copy of "vrask.wav" holds the same loop at half the rate, in half the bytes.
inline constexpr int kBrowserMusicRate = kSampleRate / 2;

// Every second sample of `loop` after a low-pass filter that keeps what the half rate can hold
// (flat to 10 kHz, nothing above 11 kHz left to fold back). The filter reads around the loop, so
// the seam stays as smooth as the rest. `loop` must have an even length.
Samples halveRate(const Samples& loop);
