#include "world/statistics.h"

#include <algorithm>

namespace {

int32_t clampToInt32(int64_t wide) {
    return static_cast<int32_t>(std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t saturatingAdd(int32_t value, int32_t amount) {
    return clampToInt32(int64_t{value} + int64_t{amount});
}

int32_t saturatingSub(int32_t value, int32_t amount) {
    return clampToInt32(int64_t{value} - int64_t{amount});
}
