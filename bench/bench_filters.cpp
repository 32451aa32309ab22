// The hit-count filters on a 4000 x 4000 image beside a plain pass over the
// same buffer (read every count, look its colour up in the palette, write the
// pixel). Prints figures; never
// part of the tests.
#include "color/filters.h"
#include "core/state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kRes = 4000;

double cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Processor time, not wall time, and the best of a few runs: the figures stay
// comparable on a busy machine.
template <class F> double ms_of(F&& f) {
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const double start = cpu_ms();
        f();
        best = std::min(best, cpu_ms() - start);
    }
    return best;
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
    const double plain = ms_of([&] {
        const float* h = s.hitcount.data();
        std::uint32_t* px = s.canvas.data();
        for (std::size_t i = 0; i < s.hitcount.size(); ++i)
            px[i] = lut[std::min(static_cast<std::uint32_t>(h[i]), 255u)];
        sink += px[12345];
    });
    std::printf("filters at %d x %d, plain pass %.1f ms\n", kRes, kRes, plain);
    const struct {
        const char* name;
        int (*run)(morv::State&);
    } filters[] = {{"normalize", morv::normalize},
                   {"equalize", morv::equalize},
                   {"log", morv::logadjust},
                   {"log squared", morv::logadjust}}; // both log commands run one filter
    for (const auto& f : filters) {
        const double ms = ms_of([&] { f.run(s); });
        std::printf("%-12s %7.1f ms  %.2f x the plain pass\n", f.name, ms, ms / plain);
    }
    // In the desktop program the visible part of the window is painted too.
    morv::attach_window(s, 1920, 1080);
    const double shown = ms_of([&] { morv::normalize(s); });
    std::printf("normalize with a 1920 x 1080 window: %.1f ms\n", shown);
    std::printf("(checksum %u)\n", sink + s.canvas.data()[4242]);
    return 0;
}
