// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numeric.h"
#include "core/state.h"
#include "core/view.h"

#include <gtest/gtest.h>
#include <limits>

namespace morv {

TEST(Trunc32, TowardZeroAndOffCanvasBeyondInt32) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::int32_t> cases[] = {{2.9, 2},
                                                     {-2.9, -2},
                                                     {-0.5, 0},
                                                     {2147483647.9, 2147483647},
                                                     {-2147483648.9, INT32_MIN},
                                                     {nan, kOffCanvas},
                                                     {inf, kOffCanvas},
                                                     {-inf, kOffCanvas},
                                                     {2147483648.0, kOffCanvas},
                                                     {-2147483649.0, kOffCanvas},
                                                     {1e300, kOffCanvas}};
    for (auto [x, want] : cases)
        EXPECT_EQ(trunc32(x), want) << x;
    // Arithmetic after it wraps instead of overflowing.
    EXPECT_EQ(wrap_sub(600, kOffCanvas), static_cast<std::int32_t>(600u + 2147483648u));
    EXPECT_EQ(wrap_add(2147483647, 1), INT32_MIN);
    EXPECT_EQ(wrap_mul(65536, 65536), 0);
}

TEST(ViewMapping, UpperEdgesFallJustOutsideAndNonFinitePointsOffCanvas) {
    State s;
    int x = 0, y = 0;
    map_to_pixel(s, 1.4, 0.4, &x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(600, -1));
    map_to_pixel(s, -1.4, -0.4, &x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(0, 599));
    map_to_pixel(s, std::numeric_limits<double>::quiet_NaN(), -1e300, &x, &y);
    EXPECT_EQ(x, kOffCanvas);
    EXPECT_FALSE(y >= 0 && y < s.res);
}

} // namespace morv
