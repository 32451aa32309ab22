// SPDX-License-Identifier: GPL-3.0-or-later
// How long one step call of the types that draw a whole picture at once takes,
// waits skipped: the desktop program's window does not respond for that long.
#include "core/state.h"
#include "formulas/steps.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

struct Timing {
    double fastest = 1e300, slowest = 0;
};

// One call of the type's step on a fresh background, for each clock value.
Timing time_calls(int type, int oddflag, int res, std::initializer_list<std::int64_t> clocks) {
    Timing t;
    for (const std::int64_t clock : clocks) {
        morv::State s;
        s.steps = &morv::fpointer;
        s.type = type;
        s.oddflag = oddflag;
        morv::set_resolution(s, res);
        morv::attach_window(s, 1280, 960); // a typical client area: the window copy is drawn too
        s.canvas.fill_rect(morv::Rect{0, 0, res, res}, s.back);
        s.platform.now_seconds = [clock] { return clock; };
        morv::Point3 next{};
        int x = 0, y = 0;
        const auto start = std::chrono::steady_clock::now();
        morv::fpointer[static_cast<std::size_t>(type)](s, s, morv::Point3{0.01, 0, 0}, &next, 0, &x,
                                                       &y);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        t.fastest = std::min(t.fastest, ms);
        t.slowest = std::max(t.slowest, ms);
    }
    return t;
}

} // namespace

int main() {
    for (const int res : {600, 4000}) {
        const Timing classic = time_calls(2, 0, res, {1, 2, 3});
        const Timing odd = time_calls(2, 1, res, {1, 2, 3});
        // The picture's size depends on the random angle: spread the clock.
        const Timing kam =
            time_calls(28, 0, res, {1, 7, 77, 777, 7777, 77777, 777777, 1700000000, 1712345678});
        std::printf("res %4d  bifurcation classic %7.1f ms   odd %7.1f ms   "
                    "randomized KAM torus %6.1f .. %6.1f ms\n",
                    res, classic.fastest, odd.fastest, kam.fastest, kam.slowest);
    }
    return 0;
}
