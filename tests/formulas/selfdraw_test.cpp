// SPDX-License-Identifier: GPL-3.0-or-later
// Types that draw by themselves: grid scans, chaos games, staged pictures.
// Their pictures are among the golden images; these cases pin the rules the
// pictures do not show (calls, waits, wraps, guards).
#include "core/driver.h"
#include "formulas/chaosgame.h"
#include "formulas/masks.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace morv::test {
namespace {

constexpr int kSierpinski = 8, kFern = 9, kVl = 14, kPgm = 17, kSamardzija = 24;

// Logs the waits the instance asks for instead of sleeping.
void log_waits(State& s, std::vector<int>& into) {
    s.platform.sleep_ms = [&into](int ms) { into.push_back(ms); };
}

using Cell = std::pair<int, int>;
std::set<Cell> painted(const State& s) {
    std::set<Cell> out;
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x)
            if (s.canvas.get_pixel(x, y) != s.back) out.insert({x, y});
    return out;
}

// The diagram draws one curve or column per call and waits between passes.
TEST(Bifurcation, CallsAndWaitsPerPassAndThePaletteRunsOnAcrossPasses) {
    const struct {
        int oddflag;
        long long calls;
        std::vector<int> sleeps;
        int row;
        unsigned first_entry; // of the last pass's first column
    } cases[] = {{0, 8 + 600, std::vector<int>(8, 1000), 273, 229},
                 {1, 2 * 600, std::vector<int>(2, 2000), 300, 93}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.oddflag);
        State s = make_state(2, 600);
        s.oddflag = c.oddflag;
        s.p[2].xstart = 0; // the fixed point 0 in every column
        attach_window(s, 800, 700);
        std::vector<int> sleeps;
        log_waits(s, sleeps);
        EXPECT_EQ(render(s, 10000), c.calls);
        EXPECT_EQ(s.fresh_image, 1);
        EXPECT_EQ(sleeps, c.sleeps);
        for (int i = 0; i < 600; ++i) {
            ASSERT_EQ(s.canvas.get_pixel(i, c.row), entry(s, (c.first_entry - 1 + i) % 254 + 1))
                << "column " << i;
            ASSERT_EQ(s.canvas.get_pixel(i, c.row - 1), s.back);
            ASSERT_EQ(s.window.get_pixel(i, c.row), s.canvas.get_pixel(i, c.row));
        }
    }
}

// An out-of-range layout is held to the table; hit-count colouring without a
// buffer (the method stays 0: the driver keeps no counts) uses the foreground.
TEST(Sierpinski, OutOfRangeLayoutAndColouringWithoutCounts) {
    for (int mode : {-7, 6, INT_MAX}) {
        State s = make_state(kSierpinski, 200);
        s.smode = mode;
        render(s, 500);
        EXPECT_EQ(scratch(s).selfdraw1.sierpinski.mode, mode < 0 ? 0 : 5);
        EXPECT_GT(painted_pixels(s), 0);
    }
    State s = make_state(kSierpinski, 200);
    s.scmode = 1;
    render(s, 2000);
    EXPECT_TRUE(s.hitcount.empty());
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x) {
            const Rgb c = s.canvas.get_pixel(x, y);
            ASSERT_TRUE(c == s.back || c == s.fore) << x << "," << y;
        }
}

TEST(Fern, InsaneProbabilitiesStillPickOneOfTheSixMaps) {
    const struct {
        std::array<int, 6> table;
        int at_50;
    } cases[] = {{{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, 0},
                 {{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN}, 5},
                 {{-50, 20, INT_MAX, 0, 0, 0}, 2},
                 {{0, 0, 0, 0, 0, 0}, 5}};
    for (const auto& c : cases) {
        for (int r = 0; r < 100; ++r) {
            const int k = fern_map(c.table, r);
            EXPECT_TRUE(k >= 0 && k <= 5) << c.at_50 << "/" << r;
        }
        EXPECT_EQ(fern_map(c.table, 50), c.at_50);
    }
}

// Every map of the table sends the point to exactly (m, m): 50 lies off the
// canvas, so nothing is counted or drawn; a collapse into subnormals ends the
// image, but an exact zero is no collapse and keeps drawing.
TEST(Fern, OffCanvasPointsAndCollapse) {
    State off = make_state(kFern, 200);
    for (auto& m : off.f)
        m = {0, 0, 0, 0, 50, 50};
    off.ifscmode = 1;
    off.method[kFern] = 3;
    render(off, 300);
    EXPECT_EQ(std::pair(painted_pixels(off), off.hitmax), std::pair(0, 0u));
    EXPECT_EQ(std::count(off.hitcount.begin(), off.hitcount.end(), 0.0f), 200 * 200);
    State s = make_state(kFern, 200);
    for (auto& m : s.f)
        m = {1e-10, 0, 0, 1e-10, 0, 0};
    EXPECT_LT(render(s, 1000), 40);
    EXPECT_EQ(s.fresh_image, 1);
    State z = make_state(kFern, 200);
    for (auto& m : z.f)
        m = {0, 0, 0, 0, 0, 0};
    EXPECT_EQ(render(z, 300), 300);
    EXPECT_EQ(painted_pixels(z), 1);
}

TEST(GridScan, OneRowPerCallAndTheLastRowEndsTheImage) {
    for (int type : {13 /* Web */, kVl, 16 /* Popcorn */, 18 /* Frothy basin */, 19 /* Unity */}) {
        State s = make_state(type, 200);
        for (int call = 1; call < 200; ++call)
            ASSERT_EQ(render_step(s), Outcome::Transient) << "type " << type << " call " << call;
        EXPECT_EQ(render_step(s), Outcome::Complete) << type;
        EXPECT_EQ(s.fresh_image, 1) << type;
    }
}

TEST(Vl, ColouringScaleIsHeldForThePictureAndTheLimitToTheDialogRange) {
    const std::pair<int, double> cases[] = {
        {64, 256.0}, {255, 256.0}, {256, 256.0}, {1024, 1024.0}, {INT_MAX, 1024.0}};
    for (auto [maxiter, factor] : cases) {
        State s = make_state(kVl, 200);
        s.vlmaxiter = maxiter; // unheld, INT_MAX would make one row run for hours
        s.vlcoloring = 1;
        render(s, 1);
        EXPECT_DOUBLE_EQ(scratch(s).selfdraw1.vl.factor, factor) << maxiter;
        s.vlmaxiter = 64;
        render(s, 10);
        EXPECT_DOUBLE_EQ(scratch(s).selfdraw1.vl.factor, factor) << maxiter;
    }
}

TEST(Vl, ReferenceOrbitIsDrawnInYellowAfterTheLastRowOnly) {
    State plain = make_state(kVl, 200);
    render(plain, 200);
    State shown = make_state(kVl, 200);
    shown.showorbits = 1;
    for (int calls : {199, 1}) {
        render(shown, calls);
        int yellow = 0;
        for (int y = 0; y < shown.res; ++y)
            for (int x = 0; x < shown.res; ++x) {
                const Rgb c = shown.canvas.get_pixel(x, y);
                if (c == plain.canvas.get_pixel(x, y) || (y == 199 && calls == 199)) continue;
                ASSERT_EQ(c, rgb(255, 255, 0)) << x << "," << y;
                ++yellow;
            }
        EXPECT_EQ(yellow > 0, calls == 1);
    }
}

TEST(Popcorn, ScaledWindowIsSymmetricAndRowsCycleThePalette) {
    State s = make_state(16, 300);
    s.p[16].sp1 = 2;
    std::vector<int> waits;
    log_waits(s, waits);
    render(s, 1);
    const PopcornScratch& sc = scratch(s).selfdraw1.popcorn;
    for (double bound : {-sc.xmin, sc.xmax, -sc.ymin, sc.ymax})
        EXPECT_DOUBLE_EQ(bound, 1.0);
    EXPECT_EQ(sc.index, 2);
    render(s, 254);
    EXPECT_EQ(sc.index, 1); // rows 1..255 used entries 1..255
    EXPECT_EQ(waits, std::vector<int>(255, s.speed)) << "one wait per row";
}

// The Inversion form's index of a start point that is not inverted, without
// basin colouring.
unsigned uninverted_index(double x0, double y0) {
    double size = 0, infsize = 4.0;
    for (int n = 0; size <= 4.0 && n < 3; ++n) {
        const double one = x0 * x0 + y0 * y0;
        const double y1 = (2 - one) * x0;
        const double x1 = (2 - one) * y1;
        size = x1 * x1 + y1 * y1;
        x0 = x1;
        y0 = y1;
        if (size < infsize) infsize = size;
    }
    if (size > 4.0) return static_cast<unsigned>(std::fmod(size / 4.0, 255.0)) + 1;
    return static_cast<unsigned>(256 * infsize * 7) % 255 + 1;
}

TEST(Unity, InversionLeavesTheAxesAlone) {
    State s = make_state(19, 201); // row 100 is y = 0 and column 100 is x = 0
    s.unityflag = 1;
    render(s, 201);
    for (int i = 0; i < 201; ++i) {
        const double c = i * 3.0 / 200 - 1.5;
        EXPECT_EQ(s.canvas.get_pixel(i, 100), entry(s, uninverted_index(c, 0))) << i;
        EXPECT_EQ(s.canvas.get_pixel(100, i), entry(s, uninverted_index(0, c))) << i;
    }
    // The origin would be sent off to infinity; left alone it stays put. Off
    // the axes the points are inverted: (-1.5, -1.5) starts at (-1/3, -1/3).
    expect_pixels(s.canvas, {{100, 100, entry(s, 1)},
                             {0, 0, entry(s, uninverted_index(-1.0 / 3, -1.0 / 3))}});
}

TEST(Pgm, ColourWrapsAndZeroGuardsCarryIntoTheMap) {
    State s = make_state(kPgm, 200);
    render(s, 1);
    scratch(s).selfdraw1.pgm.color = 255;
    scratch(s).selfdraw1.pgm.reset = 2352; // the next point is the 2353rd
    render(s, 1);
    EXPECT_EQ(scratch(s).selfdraw1.pgm.color, 1);
    Point3 next{};
    int x = 0, y = 0;
    s.pgmindex = 6;
    pgm(s, s, Point3{0.0, 0.5, 0}, &next, 1, &x, &y);
    EXPECT_EQ(next.y, 1e-06);
    s.pgmindex = 5;
    pgm(s, s, Point3{0.25, 0.0, 0}, &next, 1, &x, &y);
    EXPECT_EQ(next, (Point3{(1 - 1e-06) + 0.25 + std::cos(1e-06) * 5e-06 / std::sin(1e-06), 0.25,
                            next.z}));
}

TEST(Pgm, OutOfRangeFormulaIsHeldToTheTable) {
    for (auto [index, used] : {std::pair{-3, 0}, {8, 7}, {1000, 7}}) {
        State s = make_state(kPgm, 200), bad = s;
        s.pgmindex = used;
        bad.pgmindex = index;
        render(s, 500);
        render(bad, 500);
        EXPECT_EQ(canvas_checksum(bad), canvas_checksum(s)) << index;
    }
}

TEST(KamTorus, EachCallIsAnOrbitWithAWaitAndARunIs1201Orbits) {
    State s = make_state(23, 200);
    std::vector<int> sleeps;
    log_waits(s, sleeps);
    EXPECT_EQ(render_step(s), Outcome::Transient);
    EXPECT_EQ(sleeps, std::vector<int>{5});
    EXPECT_EQ(render(s, 5000), 1200);
    EXPECT_EQ(sleeps.size(), 1201u);
}

// The randomized torus draws a whole picture in one call, reseeded from the
// clock at every fresh start: the same clock gives the same torus.
TEST(RandomizedKamTorus, DrawsAWholePictureInOneCallFromTheClock) {
    State s = make_state(28, 200, 12345), t = make_state(28, 200, 777777);
    EXPECT_EQ(render(s, 10), 1);
    const std::uint64_t first = canvas_checksum(s);
    s.fresh_image = true;
    render(s, 1);
    render(t, 1);
    EXPECT_EQ(canvas_checksum(s), first);
    EXPECT_NE(canvas_checksum(t), first);
}

TEST(Samardzija, FirstStepsFillTheRingColourWrapsAndThirdVariableSurvivesARestart) {
    State s = make_state(kSamardzija, 200);
    SamardzijaScratch& k = scratch(s).selfdraw2.samardzija;
    EXPECT_DOUBLE_EQ(k.e, -0.6);
    std::vector<int> sleeps;
    log_waits(s, sleeps);
    render(s, 1001); // the first 1001 steps only fill the ring
    EXPECT_TRUE(painted(s).empty());
    EXPECT_TRUE(sleeps.empty());
    render(s, 1);
    EXPECT_EQ(painted(s).size(), 1u);
    EXPECT_EQ(sleeps, std::vector<int>{2});
    render(s, 48);
    k.color = 255;
    k.count = 1100;
    render(s, 1);
    EXPECT_EQ(k.color, 1);
    const double e = k.e;
    EXPECT_NE(e, -0.6);
    s.fresh_image = true;
    render(s, 1);
    EXPECT_DOUBLE_EQ(k.e, e + 0.01 * -0.6 * 0.06);
}

// The first ball's sprite size follows the resolution (size 1 at res 200 is
// among the golden images): at 600, sprite 2 (size 5 at t = 0) in palette
// entries 1 + shade, and the grey floor mark.
TEST(Lissajous, SpriteSizeFollowsTheResolution) {
    State s = make_state(25, 600);
    render(s, 1);
    const Cell floor{519, 494};
    std::set<Cell> expected{floor};
    const Mask& m = sphere[2];
    for (int i = 0; i < m.width(); ++i)
        for (int j = 0; j < m.height(); ++j)
            if (const int v = m.at(i, j)) {
                expected.insert({512 + i, 293 + j});
                EXPECT_EQ(s.canvas.get_pixel(512 + i, 293 + j),
                          palette_color(s.palette, static_cast<unsigned>(1 + v)));
            }
    EXPECT_EQ(painted(s), expected);
    EXPECT_EQ(s.canvas.get_pixel(floor.first, floor.second), rgb(128, 128, 128));
}

TEST(Rossler, ObliqueViewStageAndPacing) {
    State s = make_state(21, 600);
    s.rosslerflag = 1;
    Point3 n{};
    int x = 0, y = 0;
    // x = y = 0 after the step: the zero modulus is replaced, not divided by.
    // The axis is placed by height alone: trunc(6.001 * 600 / 34) = 105.
    rossler(s, s, Point3{0, 0, 0}, &n, 1, &x, &y);
    EXPECT_EQ(std::tuple(n.z, x, y), std::tuple(0.001, 300, 600 - 105 - 1));

    // The stage is painted on both surfaces on the first call only.
    State t = make_state(21, 600);
    t.rosslerflag = 1;
    attach_window(t, 800, 700);
    render_step(t);
    for (Surface* on : {&t.canvas, &t.window}) // the vertical axis and the floor
        expect_pixels(*on, {{300, 100, rgb(255, 255, 255)}, {5, 590, rgb(0, 48, 80)}});
    t.canvas.fill_rect(Rect{0, 0, 600, 600}, t.back);
    render_step(t); // iter 1: a resumed run does not repaint the stage
    EXPECT_EQ(t.canvas.get_pixel(300, 100), t.back);

    // The pacing counts across runs: a new run does not reset the counter.
    State p = make_state(21, 200);
    std::vector<int> sleeps;
    log_waits(p, sleeps);
    render(p, 20);
    EXPECT_TRUE(sleeps.empty());
    p.fresh_image = true;
    render(p, 5);
    EXPECT_EQ(sleeps, std::vector<int>{3});
    p.speed = 0;
    render(p, 25);
    EXPECT_EQ(sleeps.size(), 1u);
}

} // namespace
} // namespace morv::test
