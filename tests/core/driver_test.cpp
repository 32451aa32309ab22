// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/driver.h"
#include "core/numeric.h"
#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

namespace morv {

namespace {

// What the scripted step keeps in its render context: the iter it was given.
struct SeenIter {
    int iter = -1;
};

// A scripted step for type 0: returns p.a as its result, remembers the iter it
// was given, and walks along row 5 one column per call.
int scripted(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
             int* ypos) {
    next->x = old.x + 1;
    rc.scratch.get<SeenIter>().iter = iter;
    *xpos = trunc32(next->x) % ps.res;
    *ypos = 5;
    return trunc32(ps.p[ps.type].a);
}

constexpr StepTable kScripted = test::every_type(scripted);

State scripted_state(int result, int method = kMethodSpeedPoints) {
    State s = test::make_state(0, 200);
    s.steps = &kScripted;
    s.p[0] = TypeParams{};
    s.p[0].a = result;
    s.method[0] = method;
    return s;
}

} // namespace

TEST(Driver, FirstPointOnlyBecomesThePreviousPixel) {
    State s = test::make_state(0, 600);
    s.intro = 0;
    render_step(s);
    EXPECT_EQ(std::tuple(s.xplot0, s.yplot0, s.hitmax), std::tuple(532, 277, 0u));
    EXPECT_EQ(s.canvas.get_pixel(532, 277), s.back);
    render_step(s);
    EXPECT_GT(s.hitmax, 0u);
    EXPECT_EQ(std::tuple(s.itercount, s.count, s.fresh_image), std::tuple(2, 1, 0));
}

TEST(Driver, TransientResultsCountUpAndKeepThePreviousPixel) {
    State s = scripted_state(kTransient);
    for (int i = 0; i < 5; ++i) {
        render_step(s);
        EXPECT_EQ(s.scratch.get<SeenIter>().iter, i);
    }
    EXPECT_EQ(std::tuple(s.xplot0, s.yplot0, s.v.x), std::tuple(0, 0, 5.0));
    for (int i = 0; i < 200; ++i)
        render_step(s);
    EXPECT_EQ(s.count, 100); // never above 100
}

// A pause keeps the point and Resume goes on from it; a completed image
// starts afresh from the start point, on a repainted background.
TEST(Driver, ReportsWhatEachStepResultMeansAndResumesAccordingly) {
    const struct {
        int result;
        Outcome outcome;
    } cases[] = {{kPlot, Outcome::Plotted},        {kAccepted, Outcome::Plotted},
                 {kTransient, Outcome::Transient}, {kComplete, Outcome::Complete},
                 {kStop, Outcome::Paused},         {7, Outcome::Paused}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        State s = scripted_state(kPlot);
        s.p[0].xstart = 10;
        for (int i = 0; i < 3; ++i)
            render_step(s);
        const int painted = test::painted_pixels(s);
        s.p[0].a = c.result;
        EXPECT_EQ(render_step(s), c.outcome);
        EXPECT_EQ(test::painted_pixels(s), painted + (c.result == kPlot)); // only kPlot draws
        EXPECT_EQ(pauses(c.outcome), c.result >= kComplete);
        EXPECT_DOUBLE_EQ(s.v.x, c.result >= kComplete ? 13 : 14);
        EXPECT_EQ(s.fresh_image, c.result == kComplete ? 1 : 0);
        s.p[0].a = kPlot;
        render_step(s);
        EXPECT_DOUBLE_EQ(s.v.x, c.result == kComplete ? 11 : c.result > kComplete ? 14 : 15);
        if (c.result == kComplete) {
            EXPECT_EQ(test::painted_pixels(s), 0);
        }
    }
    State first = scripted_state(kStop);
    EXPECT_EQ(render_step(first), Outcome::Paused);
    EXPECT_EQ(first.fresh_image, 1); // a stop on the first call: Resume starts afresh again
}

TEST(Driver, StartUpImagePausesItselfAt25000AndCountHolds) {
    State s = scripted_state(kPlot);
    s.intro = 1;
    for (int i = 0; i < 24999; ++i)
        ASSERT_EQ(render_step(s), Outcome::Plotted);
    const int x0 = s.xplot0;
    EXPECT_EQ(render_step(s), Outcome::Paused);
    // The 25000th point is not the previous pixel.
    EXPECT_EQ(std::tuple(s.intro, s.itercount, s.xplot0, s.v.x), std::tuple(0, 25000, x0, 25000.0));
    for (int i = 0; i < 30000; ++i) // later images never pause on the count
        ASSERT_EQ(render_step(s), Outcome::Plotted);
    EXPECT_EQ(s.itercount, 25000);
}

TEST(Driver, HitCountBufferIsReusedAtTheSameResolution) {
    State s = scripted_state(kPlot, kMethodSpeedLines);
    render_step(s);
    EXPECT_EQ(s.hcres, 0); // lines need no buffer
    s.method[0] = kMethodHitCount;
    s.fresh_image = true;
    for (int i = 0; i < 10; ++i)
        render_step(s);
    EXPECT_EQ(s.hcres, 200);
    const float* buffer = s.hitcount.data();
    s.fresh_image = true;
    render_step(s);
    EXPECT_EQ(std::pair(std::as_const(s.hitcount).data(), s.hitmax), std::pair(buffer, 0u));
    EXPECT_EQ(std::count(s.hitcount.begin(), s.hitcount.end(), 0.0f), 200 * 200);
}

TEST(Driver, FailedAllocationPausesAndRetriesLater) {
    State s = scripted_state(kPlot);
    s.platform.max_alloc_bytes = 1000;
    EXPECT_EQ(render_step(s), Outcome::NoMemory);
    EXPECT_EQ(std::tuple(s.fresh_image, s.hcres, s.hitcount.size()), std::tuple(1, 0, 0u));
    s.platform.max_alloc_bytes = SIZE_MAX;
    EXPECT_EQ(render_step(s), Outcome::Plotted);
    EXPECT_EQ(s.hcres, 200);
    // Surfaces beyond the budget are refused, never aborted on.
    s = scripted_state(kPlot);
    EXPECT_FALSE(s.canvas.try_resize(INT32_MAX, INT32_MAX, 0, SIZE_MAX));
    EXPECT_EQ(s.canvas.width(), 200);
    s.platform.max_alloc_bytes = 200 * 200 * 4; // the canvas and the hit counts, no more
    EXPECT_FALSE(set_resolution(s, 201));
    EXPECT_EQ(std::pair(s.res, s.canvas.width()), std::pair(200, 200));
    EXPECT_FALSE(attach_window(s, 300, 150));
    EXPECT_EQ(render_step(s), Outcome::NoMemory); // the window surface is tried again
    s.platform.max_alloc_bytes = SIZE_MAX;
    EXPECT_EQ(render_step(s), Outcome::Plotted);
    EXPECT_EQ(s.window.width(), 300);
}

TEST(Driver, FreshStartClearsWindowBlackAndImageToBackground) {
    State s = scripted_state(kPlot);
    attach_window(s, 300, 150);
    s.window.fill_rect({0, 0, 300, 150}, rgb(1, 2, 3));
    render_step(s);
    test::expect_pixels(s.window, {{250, 10, 0}, {199, 149, s.back}}); // right of the image: black
    EXPECT_EQ(s.canvas.get_pixel(199, 199), s.back);
    // A type without a step only pauses.
    const StepTable none{};
    for (const StepTable* table : {static_cast<const StepTable*>(nullptr), &none}) {
        State u = test::make_state(0, 200);
        u.steps = table;
        EXPECT_EQ(render_step(u), Outcome::Paused);
    }
}

// Two instances over one parameter set draw the same buffers, and a copy made
// mid-render carries on with its own copy of what the steps keep: neither
// writes into the other's orbit, scratch, hit counts or canvas.
TEST(RenderContext, CopiesOverOneParameterSetDrawIdenticalBuffers) {
    for (int type : {10 /* Feather */, 8 /* Sierpinski */, 14 /* Vl */, 24 /* Samardzija */}) {
        State a = test::make_state(type, 200);
        if (catalogue[type].okmethod & okmethod_bit(kMethodHitCount))
            a.method[type] = kMethodHitCount;
        State b = a;
        for (int round = 0; round < 2; ++round) {
            test::render(a, 3000);
            test::render(b, 3000);
            EXPECT_TRUE(a.hitcount == b.hitcount) << type;
            EXPECT_EQ(std::tie(a.hitmax, a.v.x), std::tie(b.hitmax, b.v.x)) << type;
            EXPECT_EQ(test::canvas_checksum(a), test::canvas_checksum(b)) << type;
            b = a; // a copy made mid-render goes on alike
        }
    }
}

} // namespace morv
