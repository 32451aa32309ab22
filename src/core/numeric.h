// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

namespace morv {

inline constexpr std::int32_t kOffCanvas = INT32_MIN;

// The circle constants as the formulas write them: the doubles nearest to them.
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kHalfPi = 1.5707963267948966;
inline constexpr double kTwoPi = 6.283185307179586;

// The one double-to-int conversion: truncation toward zero. NaN, infinities and
// values outside the int32 range give INT32_MIN, which lies off every canvas.
constexpr std::int32_t trunc32(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return kOffCanvas;
    return static_cast<std::int32_t>(v);
}

// Integer arithmetic after trunc32 wraps in 32 bits, never overflows.
inline std::int32_t wrap_add(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline std::int32_t wrap_sub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
inline std::int32_t wrap_mul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

} // namespace morv
