// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the chaos games, grid scans, self-scaled orbits and Unity:
// driver calls per second for the orbit types, milliseconds per full scan
// (one row per call) for the grid types, at res 600 with the default options.
#include "core/driver.h"
#include "core/state.h"
#include "formulas/steps.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

morv::State fresh(int type) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.type = type;
    return s;
}

double seconds_for(morv::State& s, long long calls, long long* made) {
    const auto t0 = std::chrono::steady_clock::now();
    long long n = 0;
    while (n < calls) {
        ++n;
        if (morv::render_step(s) == morv::Outcome::Complete) break;
    }
    *made = n;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

int main() {
    for (int type : {8, 9, 15, 17}) {
        morv::State s = fresh(type);
        long long made = 0;
        const double t = seconds_for(s, 5000000, &made);
        std::printf("%-34s %10.0f calls/s\n", std::string(morv::catalogue[type].name).c_str(),
                    made / t);
    }
    for (int type : {13, 14, 16, 18, 19}) {
        morv::State s = fresh(type);
        long long made = 0;
        const double t = seconds_for(s, 10000, &made);
        std::printf("%-34s %10.1f ms per scan of %lld rows\n",
                    std::string(morv::catalogue[type].name).c_str(), t * 1000, made);
    }
    return 0;
}
