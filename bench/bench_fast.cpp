// SPDX-License-Identifier: GPL-3.0-or-later
// The vector lanes of --fast against the exact orbits: Peter de Jong and
// Pickover hit count and Henon "Speed - Points" at 600 x 600, 64 orbits, one
// thread, and the types whose lanes keep more than their point (Lorenz,
// Henon Phase Diagram, Feather, Duffing), in points per processor second (what a busy machine still
// measures fairly) and the ratio; each lane width this processor runs; the second thread's speed-up
// (wall time, which other load spoils). fyre's rate beside ours: bench/fyre_compare.sh. Prints
// figures; never part of the tests.
#include "formulas/fast_orbits.h"
#include "formulas/lanes.h"
#include "formulas/steps.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>

namespace {

constexpr int kRes = 600;
constexpr long long kOrbits = 64;

double process_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

struct Timing {
    double wall, processor;
};

// width 0: the exact orbits.
Timing render(int type, int method, long long calls, int threads, int width, std::uint64_t& sink) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.type = type;
    s.method[type] = method;
    s.rot[type] = {};
    morv::set_resolution(s, kRes);
    morv::OrbitJob job;
    job.orbits = kOrbits;
    job.end = kOrbits;
    job.threads = threads;
    job.iterations = calls;
    job.clock = 1;
    morv::OrbitTotals totals;
    totals.counts.assign(static_cast<std::size_t>(kRes) * kRes, 0);
    const double cpu = process_seconds();
    const auto start = std::chrono::steady_clock::now();
    if (width == 0)
        morv::render_orbits(s, job, totals, {});
    else
        morv::render_fast_orbits(s, job, width, totals, {});
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (std::uint64_t c : totals.counts)
        sink += c;
    return {wall, process_seconds() - cpu};
}

std::string processor_name() {
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown processor";
}

double mega(long long calls, double seconds) {
    return static_cast<double>(calls) / seconds / 1e6;
}

} // namespace

int main() {
    std::uint64_t sink = 0;
    const std::vector<int> widths = morv::lane_widths();
    std::printf("%s, %u cores, widest lanes %d doubles\n", processor_name().c_str(),
                std::max(1u, std::thread::hardware_concurrency()), widths.front());
    struct Scene {
        const char* name;
        int type, method;
        long long calls;
        double target; // the least fast / exact ratio; 0: none set
    };
    const Scene scenes[] = {
        {"Peter de Jong, hit count", morv::kTypeDeJong, morv::kMethodHitCount, 40000000, 4.0},
        {"Pickover, hit count", morv::kTypePickover, morv::kMethodHitCount, 40000000, 4.0},
        {"Henon, speed - points", morv::kTypeHenon, morv::kMethodSpeedPoints, 200000000, 2.0},
        {"Lorenz, speed - points", morv::kTypeLorenz, morv::kMethodSpeedPoints, 100000000, 0},
        {"Henon Phase Diagram, hit count", morv::kTypeHenonPhase, morv::kMethodHitCount, 100000000,
         0},
        {"Feather, hit count", morv::kTypeFeather, morv::kMethodHitCount, 200000000, 0},
        {"Duffing Oscillator, hit count", morv::kTypeDuffing, morv::kMethodHitCount, 100000000, 0}};
    for (const Scene& s : scenes) {
        std::printf("%s, %d x %d, %lld orbits, %.0e points, one thread, M points per processor "
                    "second:\n",
                    s.name, kRes, kRes, kOrbits, static_cast<double>(s.calls));
        const Timing exact = render(s.type, s.method, s.calls, 1, 0, sink);
        std::printf("  exact            %7.1f\n", mega(s.calls, exact.processor));
        for (int w : widths) {
            const Timing fast = render(s.type, s.method, s.calls, 1, w, sink);
            const double ratio = exact.processor / fast.processor;
            const char* verdict = w != widths.front() || s.target == 0 ? ""
                                  : ratio >= s.target                  ? "  (target met)"
                                                                       : "  (target missed)";
            std::printf("  --fast, %d lanes  %7.1f  %.2f x exact%s\n", w,
                        mega(s.calls, fast.processor), ratio, verdict);
        }
    }
    const long long calls = 200000000;
    const Timing one = render(morv::kTypeDeJong, morv::kMethodHitCount, calls, 1, widths.front(),
                              sink),
                 two = render(morv::kTypeDeJong, morv::kMethodHitCount, calls, 2, widths.front(),
                              sink);
    std::printf("Peter de Jong --fast, %.0e points: threads 1 %.2f s, threads 2 %.2f s, speed-up "
                "%.2f (target 1.8; wall time, spoilt by other load)\n",
                static_cast<double>(calls), one.wall, two.wall, one.wall / two.wall);
    std::printf("(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
