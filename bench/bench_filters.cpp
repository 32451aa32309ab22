// SPDX-License-Identifier: GPL-3.0-or-later
// The hit-count filters on a 4000 x 4000 image beside a plain pass over the
// same buffer (read every count, look its colour up in the palette, write the
// pixel). Prints processor time (all threads) and wall time, with the number
// of cores the filters may use; never part of the tests.
#include "color/filters.h"
#include "core/state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace {

constexpr int kRes = 4000;

double ms_on(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Times {
    double cpu = 1e300; // processor time of every thread of the process
    double wall = 1e300;
};

// The best of a few runs of each: processor time stays comparable on a busy
// machine, wall time shows what threads gain where cores are free.
template <class F> Times ms_of(F&& f) {
    Times best;
    for (int run = 0; run < 5; ++run) {
        const double cpu = ms_on(CLOCK_PROCESS_CPUTIME_ID), wall = ms_on(CLOCK_MONOTONIC);
        f();
        best.cpu = std::min(best.cpu, ms_on(CLOCK_PROCESS_CPUTIME_ID) - cpu);
        best.wall = std::min(best.wall, ms_on(CLOCK_MONOTONIC) - wall);
    }
    return best;
}

void report(const char* name, Times t, Times plain) {
    std::printf("%-22s %7.1f ms cpu %7.1f ms wall   %.2f x / %.2f x the plain pass\n", name, t.cpu,
                t.wall, t.cpu / plain.cpu, t.wall / plain.wall);
}

// Counts shaped like an attractor's: empty outside a band, a bright ridge
// along its middle (up to about 2^17 hits) and speckle everywhere in it.
morv::State image() {
    morv::State s;
    morv::set_resolution(s, kRes);
    s.method[s.type] = morv::kMethodHitCount;
    s.itercount = 25000;
    s.hitcount.assign(static_cast<std::size_t>(kRes) * kRes, 0.0f);
    s.hcres = kRes;
    std::uint32_t seed = 7;
    for (int y = 0; y < kRes; ++y)
        for (int x = 0; x < kRes; ++x) {
            seed = seed * 1103515245u + 12345u;
            const double dx = x - kRes / 2.0, dy = y - kRes / 2.0;
            const double off = std::fabs(std::sqrt(dx * dx + dy * dy) - kRes / 3.0) / (kRes / 6.0);
            if (off >= 1) continue;
            const float h = static_cast<float>(
                std::floor(std::exp2(17 * (1 - off) * (1 - off)) * ((seed >> 8) % 64 + 1) / 64));
            s.hitcount[static_cast<std::size_t>(y) * kRes + x] = h;
            if (h > s.hitmax) s.hitmax = static_cast<unsigned>(h);
        }
    return s;
}

} // namespace

int main() {
    morv::State s = image();
    std::uint32_t sink = 0;
    std::uint32_t lut[256];
    for (std::uint32_t i = 0; i < 256; ++i)
        lut[i] = morv::Surface::to_pixel(morv::palette_color(s.palette, i));
    const Times plain = ms_of([&] {
        const float* h = s.hitcount.data();
        std::uint32_t* px = s.canvas.data();
        for (std::size_t i = 0; i < s.hitcount.size(); ++i)
            px[i] = lut[std::min(static_cast<std::uint32_t>(h[i]), 255u)];
        sink += px[12345];
    });
    std::printf("filters at %d x %d, %u cores; the plain pass on one thread\n", kRes, kRes,
                std::thread::hardware_concurrency());
    report("plain pass", plain, plain);
    const struct {
        const char* name;
        int (*run)(morv::State&);
    } filters[] = {{"normalize", morv::normalize},
                   {"equalize", morv::equalize},
                   {"log", morv::logplain},
                   {"log squared", morv::logadjust}};
    for (const auto& f : filters)
        report(f.name, ms_of([&] { f.run(s); }), plain);
    report("equalize, one thread", ms_of([&] { morv::equalize_in_threads(s, 1); }), plain);
    // In the desktop program the visible part of the window is painted too.
    morv::attach_window(s, 1920, 1080);
    report("normalize, window", ms_of([&] { morv::normalize(s); }), plain);
    std::printf("(checksum %u)\n", sink + s.canvas.data()[4242]);
    return 0;
}
