#pragma once

#include "game/volume.h"
#include "synth.h"

// How loud a sound is by EBU R128, as libebur128 measures it.
struct Loudness {
    double integrated = 0.0;    // LUFS over the whole sound, gated: how loud a long track is
    double momentaryMax = 0.0;  // LUFS, the loudest 400 ms looked at every 100 ms: a short sound
    double truePeak = 0.0;      // dBTP, the highest peak between the samples as well as on them
    double dcOffset = 0.0;      // the mean sample, in full scale
};

// Measures a mono sound of `rate` frames a second; the momentary windows run on into silence
// after its end.
Loudness measureLoudness(const Samples& samples, int rate = kSampleRate);

// The share of full volume the game's mixer plays the music at; every effect plays at full volume.
inline constexpr double kMusicGain = static_cast<double>(kMusicVolume) / MIX_MAX_VOLUME;

// Where the sounds sit as a player hears them: every effect's momentary maximum at
// kEffectLoudness, and the music's integrated loudness, at the game's volume, kMusicBelowEffects
// LU under that. The music file itself is louder by the volume it loses in the mixer.
inline constexpr double kEffectLoudness = -26.0;
inline constexpr double kMusicBelowEffects = 5.5;
double musicFileLoudness();

// No file may peak above this, between samples either (dBTP), so a player's converter or a
// lossy encoder never clips.
inline constexpr double kTruePeakCeiling = -1.0;

// Takes the mean away from every sample; a loop stays seamless.
void removeDcOffset(Samples& samples);

// Scales the samples so that the measure `of` is at `target` LUFS. Throws std::runtime_error
// when the true peak would then pass kTruePeakCeiling.
void levelTo(Samples& samples, double Loudness::*of, double target);
