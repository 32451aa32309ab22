#include "core/numeric.h"
#include "core/state.h"
#include "core/view.h"

#include <gtest/gtest.h>
#include <limits>

namespace morv {

TEST(Trunc32, TruncatesTowardZero) {
    EXPECT_EQ(trunc32(2.9), 2);
    EXPECT_EQ(trunc32(-2.9), -2);
    EXPECT_EQ(trunc32(-0.5), 0);
    EXPECT_EQ(trunc32(2147483647.9), 2147483647);
    EXPECT_EQ(trunc32(-2147483648.9), -2147483648);
}

TEST(Trunc32, NonFiniteAndHugeValuesLieOffCanvas) {
    EXPECT_EQ(trunc32(std::numeric_limits<double>::quiet_NaN()), kOffCanvas);
    EXPECT_EQ(trunc32(std::numeric_limits<double>::infinity()), kOffCanvas);
    EXPECT_EQ(trunc32(-std::numeric_limits<double>::infinity()), kOffCanvas);
    EXPECT_EQ(trunc32(2147483648.0), kOffCanvas);
    EXPECT_EQ(trunc32(-2147483649.0), kOffCanvas);
    EXPECT_EQ(trunc32(1e300), kOffCanvas);
}

TEST(Trunc32, ArithmeticAfterItWraps) {
    EXPECT_EQ(wrap_sub(600, kOffCanvas), static_cast<std::int32_t>(600u + 2147483648u));
    EXPECT_EQ(wrap_add(2147483647, 1), INT32_MIN);
    EXPECT_EQ(wrap_mul(65536, 65536), 0);
}

TEST(ViewMapping, HenonFirstPointAtDefaultWindow) {
    State s;
    int x = 0, y = 0;
    map_to_pixel(s, 1.086, 0.03, &x, &y);
    EXPECT_EQ(x, 532);
    EXPECT_EQ(y, 277);
}

TEST(ViewMapping, UpperEdgesFallJustOutside) {
    State s;
    int x = 0, y = 0;
    map_to_pixel(s, 1.4, 0.4, &x, &y);
    EXPECT_EQ(x, 600);
    EXPECT_EQ(y, -1);
    map_to_pixel(s, -1.4, -0.4, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 599);
}

TEST(ViewMapping, NonFinitePointsMapOffCanvasWithoutOverflow) {
    State s;
    int x = 0, y = 0;
    map_to_pixel(s, std::numeric_limits<double>::quiet_NaN(), -1e300, &x, &y);
    EXPECT_EQ(x, kOffCanvas);
    EXPECT_FALSE(y >= 0 && y < s.res);
}

} // namespace morv
