// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/density.h"

#include "core/driver.h"
#include "core/numeric.h"
#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace morv {
namespace {

// Entry i's channels in linear light, and halfway between entries i and i + 1.
LinearRGB linear(const State& s, int i, double f = 0) {
    LinearRGB c{};
    for (int k = 0; k < 3; ++k) {
        const double a = srgb_to_linear(s.palette[i][k] / 255.0);
        const double b = srgb_to_linear(s.palette[(i + 1) & 255][k] / 255.0);
        c[k] = a + (b - a) * f;
    }
    return c;
}

// The colour each coordinate gives a point, worked out by hand.
TEST(Density, ColoursAPointByItsCoordinateThroughThePalette) {
    State s = test::make_state(kTypeHenon, 200);
    s.palette = defpal2;
    const struct {
        ColorBy by;
        Point3 oldv, v;
        int entry;
        double f;
    } cases[] = {
        {ColorBy::Speed, {0, 0, 0}, {0.1, 0, 0}, 17, 0},      // 0.1 * 170
        {ColorBy::Speed, {0, 0, 0}, {0, 0, 0}, 1, 0},         // no step: entry 1
        {ColorBy::Speed, {0, 0, 0}, {3, 4, 0}, 255, 0},       // held to 255
        {ColorBy::Z, {0, 0, 0}, {0, 0, -0.5}, 127, 0.5},      // |z| * 255 = 127.5
        {ColorBy::Z, {0, 0, 0}, {0, 0, 0}, 1, 0},             // held to entry 1
        {ColorBy::Z, {0, 0, 0}, {0, 0, 7}, 255, 0},           // and to 255
        {ColorBy::Direction, {0, 0, 0}, {0, 1, 0}, 191, 0.5}, // a quarter turn past half
        {ColorBy::Direction, {1, 0, 0}, {0, 0, 0}, 255, 0},   // pi: the end
        {ColorBy::Direction, {0, 0, 0}, {NAN, 0, 0}, 1, 0},   // not a direction
    };
    for (const auto& c : cases) {
        s.density.want(true, DensitySettings{c.by, 10});
        ASSERT_TRUE(s.density.start(s, 1 << 30));
        const LinearRGB got = s.density.color_of(s, c.v, c.oldv), want = linear(s, c.entry, c.f);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(got[k], want[k], 1e-12) << static_cast<int>(c.by) << " " << c.entry;
    }
    // By index: one pass through positions 1..255 every `index_span` points.
    s.density.want(true, DensitySettings{ColorBy::Index, 4});
    ASSERT_TRUE(s.density.start(s, 1 << 30));
    const double positions[] = {1, 64.5, 128, 191.5, 1};
    for (const double p : positions) {
        const LinearRGB got = s.density.color_of(s, {}, {});
        const LinearRGB want = linear(s, static_cast<int>(p), p - std::floor(p));
        EXPECT_NEAR(got[0] + got[1] + got[2], want[0] + want[1] + want[2], 1e-12) << p;
    }
}

// With "Hit Count" every sample counts exactly what the hit-count buffer
// counts, and its colour sum is n times the colour for a constant colour.
TEST(Density, CountsWhatTheHitCountCountsAndStartsAfreshWithTheImage) {
    State s = test::make_state(kTypeHenon, 200);
    s.method[kTypeHenon] = kMethodHitCount;
    s.density.want(true, DensitySettings{ColorBy::Index, 1});
    test::render(s, 50000);
    ASSERT_EQ(s.density.side(), 200);
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < s.hitcount.size(); ++i) {
        const DensityCell& c = s.density.cells()[i];
        ASSERT_EQ(static_cast<double>(c.n), s.hitcount[i]) << i;
        EXPECT_NEAR(c.r, static_cast<double>(c.n) * linear(s, 1)[0], 1e-9 * (1 + c.n));
        total += c.n;
    }
    EXPECT_EQ(total, s.density.points());
    EXPECT_GT(total, 40000u);
    s.fresh_image = true;
    render_step(s);
    EXPECT_EQ(s.density.points(), 0u);
    EXPECT_EQ(std::count(s.density.cells().begin(), s.density.cells().end(), DensityCell{}),
              200 * 200);
}

TEST(Density, RefusesMoreThanTheBudgetAndLeavesTheImageToReportIt) {
    State s = test::make_state(kTypeHenon, 300);
    s.density.want(true);
    s.platform.max_alloc_bytes = Density::bytes_for(300) - 1;
    EXPECT_EQ(render_step(s), Outcome::NoMemory);
    EXPECT_FALSE(s.density.active());
    s.platform.max_alloc_bytes = Density::bytes_for(300) * 2;
    EXPECT_NE(render_step(s), Outcome::NoMemory);
    EXPECT_TRUE(s.density.active());
    s.density.want(false); // gone at the next start
    s.fresh_image = true;
    render_step(s);
    EXPECT_FALSE(s.density.active());
    EXPECT_TRUE(s.density.cells().empty());
}

TEST(Density, SrgbTransferRoundTripsEveryByte) {
    for (int v = 0; v <= 255; ++v)
        EXPECT_EQ(trunc32(linear_to_srgb(srgb_to_linear(v / 255.0)) * 255 + 0.5), v);
    EXPECT_DOUBLE_EQ(srgb_to_linear(1.0), 1.0);
    EXPECT_NEAR(srgb_to_linear(0.5), 0.21404, 1e-5);
}

} // namespace
} // namespace morv
