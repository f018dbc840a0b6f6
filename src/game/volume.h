#pragma once

#include <SDL_mixer.h>

// The music plays at 30 of the mixer's MIX_MAX_VOLUME (128), every sound at full volume. The
// asset generator levels the sound files for these volumes.
inline constexpr int kMusicVolume = 30;
