#pragma once

#include <cstdint>

// The statistics (health, attack, experience, level, Vrask, experience needed) are 32-bit
// numbers with no game cap. They saturate at the 32-bit limits instead of wrapping, so a
// huge health can never turn negative and kill the player for blocking.
int32_t saturatingAdd(int32_t value, int32_t amount);
int32_t saturatingSub(int32_t value, int32_t amount);
