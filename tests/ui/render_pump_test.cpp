#include "app/app_state.h"
#include "formulas/steps.h"
#include "qt_support.h"
#include "ui/render_pump.h"

#include <gtest/gtest.h>

namespace morv::test {
namespace {

constexpr std::int64_t kMs = 1'000'000;

int fast_step(const Params&, RenderContext&, VOXEL old, VOXEL* next, int, int* x, int* y) {
    *next = old;
    *x = *y = 1;
    return kPlot;
}

int waiting_step(const Params&, RenderContext& rc, VOXEL old, VOXEL* next, int, int* x, int* y) {
    rc.sleep_ms(3);
    *next = old;
    *x = *y = 2;
    return kPlot;
}

// A pump on a fake clock that moves 100 us whenever it is read, plus whatever
// the steps' waits add.
struct FakeClockPump {
    app::Instance s;
    std::array<StepFn, NTYPES> steps = fpointer;
    std::int64_t t = 0;
    ui::RenderPump pump{
        s, ui::RenderPump::Hooks{
               [this] { s.posted.clear(); }, {}, [] {}, [this] { return t += kMs / 10; }}};
    FakeClockPump() {
        qt_app();
        steps[0] = fast_step;
        steps[1] = waiting_step;
        s.steps = &steps;
        set_resolution(s, 200);
        s.intro = 0;
        s.okrun = 1;
    }
    long long slice() {
        const long long before = pump.calls();
        pump.slice();
        return pump.calls() - before;
    }
};

// A type that waits 3 ms per call after a fast type: whether the wait blocks
// or holds the next call back, no slice runs much over its 5 ms, so the
// window never freezes.
TEST(RenderPump, SlicesStayShortWhenAWaitingTypeFollowsAFastOne) {
    for (const bool blocking : {true, false}) {
        FakeClockPump f;
        if (blocking)
            f.s.platform.sleep_ms = [&f](int ms) { f.t += ms * kMs; };
        else
            f.s.platform.sleep_ms = [&f](int ms) { f.pump.hold(ms); };
        for (int i = 0; i < 3; ++i)
            f.slice();
        EXPECT_GT(f.slice(), 4096) << "the fast type runs in large batches";
        f.s.type = 1;
        f.s.firstloop = 1;
        for (int i = 0; i < 20; ++i) {
            const std::int64_t before = f.t;
            const long long calls = f.slice();
            EXPECT_LE(f.t - before, 20 * kMs) << blocking << " slice " << i;
            EXPECT_GE(calls, 1);
            if (!blocking) {
                // One call, then the pump waits across turns, never in one.
                EXPECT_EQ(calls, 1);
                EXPECT_EQ(f.pump.wait_ms(), 3);
                EXPECT_EQ(f.slice(), 0) << "called before its wait was over";
                f.t += 3 * kMs;
            }
        }
    }
}

} // namespace
} // namespace morv::test
