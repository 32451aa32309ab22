// SPDX-License-Identifier: GPL-3.0-or-later
// Hit-count filters on a full 4000 x 4000 image and one Lyapunov measurement.
#include "analysis/lyapunov.h"
#include "color/filters.h"
#include "core/state.h"
#include "formulas/steps.h"

#include <chrono>
#include <cstdio>
#include <functional>

using namespace morv;

namespace {

constexpr int kRes = 4000;
constexpr int kPasses = 3;
constexpr int kDeJong = 6;

double ms_since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// A paused hit-count image whose every pixel holds a count 0..4999.
void fill(State& s) {
    set_resolution(s, kRes);
    s.method[s.type] = kMethodHitCount;
    s.itercount = 25000;
    s.hcres = kRes;
    s.hitcount.assign(static_cast<std::size_t>(kRes) * kRes, 0.0f);
    s.rng.srand(1);
    for (float& h : s.hitcount)
        h = static_cast<float>(s.rand() % 5000);
    s.hitmax = 4999;
}

void bench_filter(State& s, const char* name, const std::function<int(State&)>& filter) {
    double best = 1e300;
    for (int i = 0; i < kPasses; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        if (filter(s) != kFilterDone) {
            std::printf("%-10s refused\n", name);
            return;
        }
        const double ms = ms_since(t0);
        if (ms < best) best = ms;
    }
    std::printf("%-10s %4d x %d: %8.1f ms per pass (best of %d)\n", name, kRes, kRes, best,
                kPasses);
}

} // namespace

int main() {
    State s;
    s.steps = &fpointer;
    fill(s);
    bench_filter(s, "normalize", normalize);
    bench_filter(s, "equalize", equalize);
    bench_filter(s, "logadjust", logadjust);

    State l;

    l.steps = &fpointer;
    l.type = fpointer[kDeJong] != nullptr ? kDeJong : 0;
    const auto t0 = std::chrono::steady_clock::now();
    const ChaosMeasure m = lyapunov(l).value_or(ChaosMeasure{});
    std::printf("lyapunov  %s: %.2f ms (LExp %.6f, FD %.6f)%s\n",
                std::string(catalogue[l.type].name).c_str(), ms_since(t0), m.lexp, m.fd,
                l.type == kDeJong ? "" : " [Peter de Jong not in this build]");
    return 0;
}
