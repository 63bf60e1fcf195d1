#pragma once

#include <cstdint>
#include <limits>

namespace tallimer {

// Minutes are signed 32-bit counts. Journal bytes and typed text can carry any number, so
// arithmetic on values that come from them saturates instead of overflowing.
constexpr int32_t Saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}
constexpr int32_t SatAdd(int32_t a, int32_t b) {
    return Saturate(int64_t{a} + b);
}
constexpr int32_t SatSub(int32_t a, int32_t b) {
    return Saturate(int64_t{a} - b);
}
constexpr int32_t SatMul(int32_t a, int32_t b) {
    return Saturate(int64_t{a} * b);
}

}  // namespace tallimer
