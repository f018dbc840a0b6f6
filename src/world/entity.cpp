#include "world/entity.h"

#include <cmath>

int32_t toPixel(float coordinate) {
    // Bounds that are exact in float: 2^31 is representable, 2^31 - 1 is not.
    constexpr float kLimit = 2147483648.0f;
    if (std::isnan(coordinate)) return 0;
    if (coordinate >= kLimit) return INT32_MAX;
    if (coordinate < -kLimit) return INT32_MIN;
    return static_cast<int32_t>(coordinate);
}
