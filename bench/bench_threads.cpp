// SPDX-License-Identifier: GPL-3.0-or-later
// Several orbits on one and on two threads: the speed-up of the second
// thread (wall time; the machine's other load counts against it) and the
// rate per processor second (what a busy machine still measures fairly).
// fyre's rate beside ours: bench/fyre_compare.sh. Prints figures; never part
// of the tests.
#include "formulas/orbits.h"
#include "formulas/steps.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

constexpr long long kCalls = 40000000;
constexpr int kRes = 600;

double process_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

struct Timing {
    double wall, processor;
};

Timing render(int threads, std::uint64_t& sink) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.type = morv::kTypeDeJong;
    s.method[s.type] = morv::kMethodHitCount;
    s.rot[s.type] = {};
    morv::set_resolution(s, kRes);
    morv::OrbitJob job;
    job.orbits = 8;
    job.end = 8;
    job.threads = threads;
    job.iterations = kCalls;
    job.clock = 1;
    morv::OrbitTotals totals;
    totals.counts.assign(static_cast<std::size_t>(kRes) * kRes, 0);
    const double cpu = process_seconds();
    const auto start = std::chrono::steady_clock::now();
    morv::render_orbits(s, job, totals, {});
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (std::uint64_t c : totals.counts)
        sink += c;
    return {wall, process_seconds() - cpu};
}

} // namespace

int main() {
    std::uint64_t sink = 0;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("Peter de Jong hit count at %d x %d, 8 orbits, %.0e calls, %u cores\n", kRes, kRes,
                static_cast<double>(kCalls), cores);
    const Timing one = render(1, sink), two = render(2, sink);
    auto rate = [](double seconds) { return kCalls / seconds / 1e6; };
    std::printf("threads 1: %.2f s (%.1f M/s)  threads 2: %.2f s (%.1f M/s)  speed-up %.2f\n",
                one.wall, rate(one.wall), two.wall, rate(two.wall), one.wall / two.wall);
    std::printf("per processor second: threads 1 %.1f M/s, threads 2 %.1f M/s\n",
                rate(one.processor), rate(two.processor));
    std::printf("(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
