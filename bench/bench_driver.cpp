// SPDX-License-Identifier: GPL-3.0-or-later
// Driver throughput: headless render_step calls per second for Henon, beside
// a hand-written loop of the same map and plotting rule measured in this run.
#include "core/driver.h"
#include "core/state.h"
#include "formulas/steps.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr long long kCalls = 20000000;
constexpr int kRes = 600;

double seconds_since(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

double engine_rate(int method) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.method[0] = method;
    morv::render_step(s);
    const auto t0 = Clock::now();
    for (long long i = 0; i < kCalls; ++i)
        morv::render_step(s);
    return kCalls / seconds_since(t0);
}

// The same map, view mapping and colouring written straight out.
double hand_rate(bool hit_count, unsigned& sink) {
    const morv::Palette& pal = morv::defpal1;
    auto colour = [&](unsigned i) {
        return 0xFF000000u | (pal[i][0] << 16) | (pal[i][1] << 8) | pal[i][2];
    };
    std::vector<float> hits(kRes * kRes, 0.0f);
    std::vector<std::uint32_t> pixels(kRes * kRes, 0);
    double x = 0.1, y = 0.1;
    unsigned hitmax = 0;
    const auto t0 = Clock::now();
    for (long long i = 0; i < kCalls; ++i) {
        const double nx = (y + 1.0) - 1.4 * x * x, ny = 0.3 * x;
        const int px = static_cast<int>((nx + 1.4) * kRes / 2.8);
        const int py = kRes - static_cast<int>((ny + 0.4) * kRes / 0.8) - 1;
        if (px >= 0 && px < kRes && py >= 0 && py < kRes) {
            float& h = hits[py * kRes + px];
            if (hit_count) {
                const unsigned n = static_cast<unsigned>(h) + 1;
                h += 1.0f;
                if (n > hitmax) hitmax = n;
                pixels[py * kRes + px] = colour(n < 255 ? n : 255);
            } else {
                const double d = std::sqrt((nx - x) * (nx - x) + (ny - y) * (ny - y));
                unsigned c = static_cast<unsigned>(d * 255 * (2.0 / 3.0));
                c = c == 0 ? 1 : (c > 255 ? 255 : c);
                if (c > static_cast<unsigned>(h)) {
                    pixels[py * kRes + px] = colour(c);
                    h = static_cast<float>(c);
                    if (c > hitmax) hitmax = c;
                }
            }
        }
        x = nx;
        y = ny;
    }
    sink += hitmax + pixels[kRes * kRes / 2];
    return kCalls / seconds_since(t0);
}

} // namespace

int main() {
    unsigned sink = 0;
    std::printf("Henon at res %d, %lld calls each\n", kRes, kCalls);
    std::printf("%-16s %14s %14s %7s\n", "method", "engine/s", "hand loop/s", "ratio");
    const struct {
        const char* name;
        int method;
    } cases[] = {{"Speed - Points", morv::kMethodSpeedPoints},
                 {"Hit Count", morv::kMethodHitCount}};
    for (const auto& c : cases) {
        const double engine = engine_rate(c.method);
        const double hand = hand_rate(c.method == morv::kMethodHitCount, sink);
        std::printf("%-16s %14.0f %14.0f %7.2f\n", c.name, engine, hand, engine / hand);
    }
    return sink == 12345 ? 1 : 0;
}
