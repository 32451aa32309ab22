// SPDX-License-Identifier: GPL-3.0-or-later
#include "formulas/kernels.h"

#include "core/driver.h"
#include "core/fused_kernel.h"
#include "core/numeric.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace morv {
namespace {

// The bytes of a value without padding: doubles compared bit for bit.
template <class T> std::vector<unsigned char> bytes(const T& x) {
    const auto* p = reinterpret_cast<const unsigned char*>(&x);
    return std::vector<unsigned char>(p, p + sizeof x);
}

// Everything a driver call may change.
void expect_same(State& a, State& b, const std::string& where) {
    SCOPED_TRACE(where);
    ASSERT_EQ(bytes(std::pair(a.v, a.oldv)), bytes(std::pair(b.v, b.oldv)));
    EXPECT_EQ(std::tie(a.count, a.itercount, a.xplot0, a.yplot0, a.hitmax, a.fresh_image, a.intro),
              std::tie(b.count, b.itercount, b.xplot0, b.yplot0, b.hitmax, b.fresh_image, b.intro));
    EXPECT_EQ(a.rand(), b.rand());
    EXPECT_TRUE(a.hitcount == b.hitcount); // whole numbers, never NaN
    for (auto [sa, sb] : {std::pair{&a.canvas, &b.canvas}, std::pair{&a.window, &b.window}})
        EXPECT_TRUE(std::equal(sa->data(), sa->data() + sa->width() * sa->height(), sb->data()));
    EXPECT_EQ(bytes(a.window.take_dirty()), bytes(b.window.take_dirty()));
    EXPECT_EQ(a.density.points(), b.density.points());
    EXPECT_TRUE(a.density.cells() == b.density.cells()); // sums in the same order: bit for bit
}

// Runs `calls` driver calls one at a time on a copy of `start` and in chunks
// of growing size through run_calls on another; every pause, and with
// `paced` every wait a step asks for (which sets the state's flag in
// `held`), must end both at the same call, and is resumed at once.
void compare_runs(const State& start, long long calls, const FusedKernelTable* table,
                  bool paced = false) {
    State single = start, fused = start;
    bool single_held = false, fused_held = false;
    bool* held = paced ? &fused_held : nullptr;
    if (paced) {
        single.platform.sleep_ms = [&single_held](int) { single_held = true; };
        fused.platform.sleep_ms = [&fused_held](int) { fused_held = true; };
    }
    long long made = 0, chunk = 1;
    while (made < calls) {
        long long one = 0;
        Outcome last = Outcome::Plotted;
        do {
            last = render_step(single);
            ++one;
        } while (!pauses(last) && !single_held && one < chunk && made + one < calls);
        const RunOutcome out = run_calls(fused, std::min(chunk, calls - made), table, held);
        ASSERT_EQ(out.calls, one) << "after " << made << " calls";
        EXPECT_EQ(out.last, last) << "after " << made << " calls";
        made += one;
        if (pauses(last) || single_held || made == calls)
            expect_same(single, fused, "call " + std::to_string(made));
        single_held = fused_held = false;
        chunk = std::min(chunk * 3 + 1, 100000LL);
    }
}

TEST(FusedKernels, EqualSingleDriverCallsForEveryPointMapAndBothMethods) {
    int covered = 0;
    for (int type = 0; type < NTYPES; ++type) {
        if (!plots_points_only(type)) continue;
        ++covered;
        // Unturned and turned: the kernels resolve the rotation once per run.
        for (auto [method, turn] : {std::pair{kMethodSpeedPoints, Point3{}},
                                    {kMethodHitCount, {}},
                                    {kMethodSpeedPoints, {20, 0, 35}},
                                    {kMethodHitCount, {0, 5, 0}}}) {
            SCOPED_TRACE(std::string(catalogue[type].name) + " method " + std::to_string(method) +
                         " turned " + std::to_string(turn.x + turn.y + turn.z));
            State single = test::make_state(type, 211, 5);
            single.intro = 1; // pauses itself at 25000 calls
            single.method[type] = method;
            single.rot[type] = turn;
            attach_window(single, 150, 120); // the window shows part of the image
            compare_runs(single, 40000, &fused_kernels);
        }
    }
    EXPECT_EQ(covered, 21);
}

// The density is fed alike by the kernels, whatever colours it, also where
// a kernel leaves z to the end of its run; the defined picture is the same
// with or without it.
TEST(FusedKernels, FeedTheDensityAsSingleDriverCalls) {
    for (int type = 0; type < NTYPES; ++type) {
        if (!plots_points_only(type)) continue;
        for (const ColorBy by : {ColorBy::Speed, ColorBy::Z, ColorBy::Direction, ColorBy::Index}) {
            SCOPED_TRACE(std::string(catalogue[type].name) + " colour " +
                         std::to_string(static_cast<int>(by)));
            State single = test::make_state(type, 203, 5);
            single.method[type] = type % 2 == 0 ? kMethodHitCount : kMethodSpeedPoints;
            single.density.want(true, DensitySettings{by, 777});
            compare_runs(single, 6000, &fused_kernels);
            State plain = single, dense = single;
            plain.density.want(false);
            run_calls(plain, 6000, &fused_kernels);
            run_calls(dense, 6000, &fused_kernels);
            EXPECT_EQ(test::canvas_checksum(plain), test::canvas_checksum(dense));
            EXPECT_TRUE(plain.hitcount == dense.hitcount);
            ASSERT_TRUE(dense.density.active());
            EXPECT_FALSE(plain.density.active());
        }
    }
}

// The calls the scripted step has made, kept in its render context.
struct CallCount {
    int calls = 0;
};

// A step that walks along a row, counting its calls, and returns the results
// of a script, to drive the kernel through every kind of result.
int scripted(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int, int* xpos,
             int* ypos) {
    next->x = old.x + 1;
    next->y = old.y + 0.25;
    *xpos = trunc32(next->x) % (ps.res + 3) - 1; // now and then off the image
    *ypos = trunc32(next->y) % 150;
    const int call = rc.scratch.get<CallCount>().calls++;
    if (call % 17 == 16) rc.sleep_ms(1); // a wait between stages
    return call % 97 == 96  ? kStop
           : call % 13 == 5 ? kTransient
           : call % 7 == 3  ? kAccepted
                            : kPlot;
}

int scripted_complete(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter,
                      int* xpos, int* ypos) {
    const int r = scripted(ps, rc, old, next, iter, xpos, ypos);
    return rc.scratch.get<CallCount>().calls % 1211 == 1210 ? kComplete : r;
}

TEST(FusedKernels, StopWhereTheDriverPostsAPauseOrCompletesTheImage) {
    for (StepFn step : {scripted, scripted_complete}) {
        const StepTable steps = test::every_type(step);
        FusedKernelTable table{};
        table[0] =
            step == scripted ? fused_kernels_of<scripted>() : fused_kernels_of<scripted_complete>();
        for (int method : {kMethodSpeedPoints, kMethodHitCount}) {
            State single = test::make_state(0, 200, 3);
            single.steps = &steps;
            single.method[0] = method;
            single.p[0] = TypeParams{};
            attach_window(single, 120, 90);
            compare_runs(single, 5000, &table, true);
            compare_runs(single, 5000, nullptr, true);
        }
    }
}

} // namespace
} // namespace morv
