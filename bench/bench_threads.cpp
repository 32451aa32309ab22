// Several orbits on one and on two threads: the speed-up of the second
// thread (wall time; the machine's other load counts against it). Prints
// figures; never part of the tests.
#include "cli/orbits.h"
#include "formulas/steps.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

double seconds_of(int threads, std::uint64_t& sink) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.type = morv::kTypeDeJong;
    s.method[s.type] = morv::kMethodHitCount;
    s.rot[s.type] = {};
    morv::set_resolution(s, 600);
    morv::OrbitJob job;
    job.orbits = 8;
    job.end = 8;
    job.threads = threads;
    job.iterations = 40000000;
    job.clock = 1;
    morv::OrbitTotals totals;
    totals.counts.assign(600 * 600, 0);
    const auto start = std::chrono::steady_clock::now();
    morv::render_orbits(s, job, totals, {});
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (std::uint64_t c : totals.counts)
        sink += c;
    return secs;
}

} // namespace

int main() {
    std::uint64_t sink = 0;
    std::printf("Peter de Jong hit count, 8 orbits, 4e7 calls, %u cores\n",
                std::thread::hardware_concurrency());
    const double one = seconds_of(1, sink), two = seconds_of(2, sink);
    std::printf("threads 1: %.2f s (%.1f M/s)  threads 2: %.2f s (%.1f M/s)  speed-up %.2f\n", one,
                40 / one, two, 40 / two, one / two);
    std::printf("(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
