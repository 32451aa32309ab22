// SPDX-License-Identifier: GPL-3.0-or-later
// Toned pictures: tone mapping alone at 600 x 600 and 4000 x 4000 on one
// thread and on every core, the Gaussian downsampling, what oversampling
// costs the render in points per second beside S = 1, and the desktop's
// re-toning of the picture on screen as a slider moves (one core). Processor time and wall
// time; never part of the tests.
#include "app/app_state.h"
#include "app/tone_commands.h"
#include "color/bands.h"
#include "color/resample.h"
#include "color/tone.h"
#include "core/run_calls.h"
#include "core/state.h"
#include "formulas/kernels.h"
#include "formulas/steps.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

namespace {

double ms_on(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Times {
    double cpu = 1e300, wall = 1e300;
};

template <class F> Times ms_of(F&& f, int runs = 3) {
    Times best;
    for (int run = 0; run < runs; ++run) {
        const double cpu = ms_on(CLOCK_PROCESS_CPUTIME_ID), wall = ms_on(CLOCK_MONOTONIC);
        f();
        best.cpu = std::min(best.cpu, ms_on(CLOCK_PROCESS_CPUTIME_ID) - cpu);
        best.wall = std::min(best.wall, ms_on(CLOCK_MONOTONIC) - wall);
    }
    return best;
}

// Peter de Jong by hit count at res x res with a density, after `points` calls.
morv::State dejong(int res, long long points, bool density) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.type = morv::kTypeDeJong;
    s.method[s.type] = morv::kMethodHitCount;
    morv::set_resolution(s, res);
    s.density.want(density);
    morv::run_calls(s, 1); // the fresh start
    morv::run_calls(s, points, &morv::fused_kernels);
    return s;
}

void tone_at(int res, long long points) {
    const morv::State s = dejong(res, points, true);
    morv::FilteredDensity d;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const Times copy = ms_of([&] { morv::downsample(s.density.cells(), res, {}, d); });
    std::size_t lit = 0;
    for (const morv::ToneCell& c : d.cells)
        lit += c.n > 0;
    std::printf("%4d x %-4d (%4.1f %% of the pixels hit): density to pixels %7.1f ms\n", res, res,
                100.0 * lit / d.cells.size(), copy.wall);
    morv::TonedImage img;
    for (const unsigned threads : {1u, cores}) {
        morv::ToneSettings t;
        const Times one = ms_of([&] { morv::tone(d, t, img, threads); });
        t.vibrancy = 0.5;
        t.depth = 16;
        const Times half = ms_of([&] { morv::tone(d, t, img, threads); });
        std::printf("  tone, %u thread(s): %7.1f ms wall (%7.1f cpu); vibrancy 0.5, 16 bits: "
                    "%7.1f ms wall\n",
                    threads, one.wall, one.cpu, half.wall);
    }
}

void oversampling(int res, long long points) {
    double base = 0;
    for (const int s : {1, 2, 4}) {
        morv::State st;
        const Times t = ms_of([&] { st = dejong(res * s, points, true); }, 1);
        const double per_second = points / (t.cpu / 1e3);
        if (s == 1) base = per_second;
        morv::FilteredDensity d;
        const Times down = ms_of(
            [&] {
                morv::downsample(st.density.cells(), res * s, {s, 3.0}, d);
            },
            1);
        std::printf("S = %d: %6.2f M points/s (%.2f x S = 1), downsampling %7.1f ms, density "
                    "%6.0f MiB\n",
                    s, per_second / 1e6, per_second / base, down.wall,
                    morv::Density::bytes_for(res * s) / 1048576.0);
    }
    const Times t = ms_of([&] { (void)dejong(res, points, false); }, 1);
    std::printf("without a density: %6.2f M points/s\n", points / (t.cpu / 1e3) / 1e6);
}

// The desktop program's instance drawing Peter de Jong toned at res x res
// (oversampled S times), as the render pump draws it.
void desktop_draw(morv::app::Instance& s, int res, int oversample, long long points) {
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.type = morv::kTypeDeJong;
    s.method[s.type] = morv::kMethodHitCount;
    morv::set_resolution(s, res);
    morv::attach_window(s, res, res);
    morv::PictureSettings p;
    p.tone = 1;
    p.oversample = oversample;
    morv::app::apply_picture(s, p);
    for (long long done = 0; done < points;) {
        if (s.fresh_image) morv::app::start_fine_orbit(s);
        const long long calls = morv::run_calls(s, 4096, &morv::fused_kernels).calls;
        morv::app::run_fine_orbit(s, calls);
        done += calls;
    }
}

// What a slider's move costs: the density as last brought to the picture's
// size toned again and laid on the window surface; and a fresh toning (the
// density filtered anew), as while points arrive.
void retone_on_screen(int res, long long points) {
    morv::app::Instance s;
    desktop_draw(s, res, 1, points);
    double exposure = 1;
    const auto move = [&](bool fresh) {
        morv::PictureSettings p = s.picture;
        p.exposure = exposure *= 1.05;
        morv::app::apply_picture(s, p);
        morv::app::retone(s, fresh);
    };
    const Times fresh = ms_of([&] { move(true); }, 5);
    const Times slider = ms_of([&] { move(false); }, 9);
    std::printf("desktop at %4d x %-4d, one core: a slider's re-toning %7.1f ms wall (%7.1f cpu), "
                "a fresh toning %7.1f ms wall (%7.1f cpu)\n",
                res, res, slider.wall, slider.cpu, fresh.wall, fresh.cpu);
}

void desktop_oversampling(int res, long long points) {
    double base = 0;
    for (const int over : {1, 2, 4}) {
        morv::app::Instance s;
        const Times t = ms_of([&] { desktop_draw(s, res, over, points); }, 1);
        const double per_second = points / (t.cpu / 1e3);
        if (over == 1) base = per_second;
        std::printf("desktop S = %d: %6.2f M points/s (%.2f x S = 1)\n", over, per_second / 1e6,
                    per_second / base);
    }
}

} // namespace

// With an argument, only that part: retone, desktop, tone, oversampling or
// memory (the machine is shared: one part at a time, repeated, is steadier).
int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each figure as soon as it is measured
    const std::string only = argc > 1 ? argv[1] : "";
    const auto part = [&](const char* name) { return only.empty() || only == name; };
    if (part("retone")) {
        retone_on_screen(600, 20000000);
        retone_on_screen(4000, 200000000);
    }
    if (part("desktop")) desktop_oversampling(600, 20000000);
    if (part("tone")) {
        tone_at(600, 20000000);
        tone_at(4000, 200000000);
    }
    if (part("oversampling")) oversampling(600, 20000000);
    if (part("memory")) {
        const int fine = 8000;
        const double px = 4000.0 * 4000.0;
        std::printf("memory at 4000 x 4000, S = 2: density %.0f MiB + canvas and hit counts at "
                    "8000 %.0f MiB + filtered density and picture %.0f MiB\n",
                    morv::Density::bytes_for(fine) / 1048576.0, 8.0 * fine * fine / 1048576.0,
                    px * (sizeof(morv::ToneCell) + 8) / 1048576.0);
    }
}
