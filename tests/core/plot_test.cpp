// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot.h"
#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace morv {

using test::entry;

namespace {

State plotting_state(int type, int method) {
    State s = test::make_state(type, 200);
    s.method[type] = method;
    s.hitcount.assign(200 * 200, 0.0f);
    s.hcres = 200;
    s.canvas.fill_rect({0, 0, 200, 200}, s.back);
    return s;
}

// Moves the orbit by a step of the given length in x.
void step_by(State& s, double len, double z = 0) {
    s.oldv = s.v;
    s.v.x += len;
    s.v.z = z;
}

} // namespace

// Plots in order on one instance per type: the colour is the step length
// times 170 (the depth for Rossler and the curves), held to 1..255; a slower
// pass over a pixel keeps the faster colour.
TEST(PlotSpeedPoints, IndexRulesAndHeldToOneThrough255) {
    const struct {
        int type, x, y;
        double len, z;
        unsigned want;
    } plots[] = {{0, 10, 10, 0.5, 0, 85}, {0, 10, 10, 0.1, 0, 85},  {0, 10, 10, 1.0, 0, 170},
                 {0, 1, 1, 0.0, 0, 1},    {0, 2, 2, 1.5, 0, 255},   {0, 200, 2, 1.5, 0, 0},
                 {0, -1, 2, 1.5, 0, 0},   {21, 3, 3, 0, -0.1, 255}, // negative counts as above
                 {21, 4, 4, 0, 0.05, 1},  {20, 5, 5, 0, 0, 97}};    // res / 13.3 * 1300 / res
    State s = plotting_state(0, kMethodSpeedPoints);
    unsigned hitmax = 0;
    for (const auto& p : plots) {
        SCOPED_TRACE(std::to_string(p.type) + " at " + std::to_string(p.x));
        if (p.type != s.type) {
            s = plotting_state(p.type, kMethodSpeedPoints);
            hitmax = 0;
        }
        step_by(s, p.len, p.z);
        plot(s, s, p.x, p.y, 0, 0);
        if (p.want == 0) continue; // off the image: nothing
        EXPECT_EQ(s.canvas.get_pixel(p.x, p.y), entry(s, p.want));
        hitmax = std::max(hitmax, p.want);
        EXPECT_EQ(s.hitmax, hitmax);
    }
}

TEST(PlotSpeedLines, NeedsBothEndsOnTheImageAndVisibleForTheWindow) {
    State s = plotting_state(0, kMethodSpeedLines);
    attach_window(s, 100, 100);
    step_by(s, 0.5);
    plot(s, s, 20, 10, -1, 10);  // previous pixel outside: not drawn at all, not clipped
    plot(s, s, 150, 10, 50, 10); // one end outside the visible part: canvas only
    plot(s, s, 40, 20, 10, 20);
    // A thin line leaves out its end.
    test::expect_pixels(s.canvas, {{5, 10, s.back}, {60, 10, entry(s, 85)}, {150, 10, s.back}});
    test::expect_pixels(s.window, {{60, 10, 0}, {25, 20, entry(s, 85)}});
    EXPECT_EQ(s.hitmax, 0u);
}

TEST(PlotHitCount, EveryHitRepaintsAndStopsAtEntry255) {
    State s = plotting_state(6, kMethodHitCount);
    for (int i = 1; i <= 300; ++i) {
        plot(s, s, 7, 8, 0, 0);
        if (i == 1 || i == 100) {
            EXPECT_EQ(s.canvas.get_pixel(7, 8), entry(s, i)) << i;
        }
    }
    EXPECT_EQ(s.canvas.get_pixel(7, 8), entry(s, 255));
    EXPECT_EQ(std::pair(s.hitmax, s.hitcount[8 * 200 + 7]), std::pair(300u, 300.0f));
}

// The depth's sign, the blend of two entries and the kept colour show in the
// golden images; a depth of 1 or more takes the last entry, with nothing past
// it to blend with. A self-drawing method plots nothing.
TEST(PlotZPlane, DepthOneTakesTheLastEntryUnblended) {
    State s = plotting_state(6, kMethodZPlane);
    s.v.z = -1.002; // 255.51
    plot(s, s, 4, 4, 0, 0);
    EXPECT_EQ(s.canvas.get_pixel(4, 4), entry(s, 255));
    EXPECT_EQ(s.hitmax, 255u);
    State self = plotting_state(2, kMethodSelf);
    plot(self, self, 5, 5, 0, 0);
    EXPECT_EQ(self.canvas.get_pixel(5, 5), self.back);
}

} // namespace morv
