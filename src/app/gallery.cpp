// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gallery.h"

#include "analysis/random.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "core/run_calls.h"
#include "core/state.h"
#include "formulas/kernels.h"
#include "formulas/tangent_models.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace morv::app {

namespace {

// A headless instance over `ps`: waits skipped, the clock fixed.
void set_up(State& s, const Params& ps, const StepTable& steps, std::int64_t clock) {
    static_cast<Params&>(s) = ps;
    s.steps = &steps;
    s.intro = 0;
    s.platform.sleep_ms = [](int) {};
    s.platform.now_seconds = [clock] { return clock; };
}

GalleryCandidate draw_one(const Params& current, const StepTable& steps, std::int64_t clock,
                          const GallerySettings& settings) {
    GalleryCandidate c;
    State st;
    set_up(st, current, steps, clock);
    if (settings.steering.steered()) {
        const SteeredResult r = steered_search(st, settings.steering, tangent_models);
        c.found = r.code == kRandomAccepted;
        c.steered = true;
        c.largest_exponent = r.spectrum.exponents[0];
        c.kaplan_yorke = r.kaplan_yorke.value;
        // The caption's estimate, as an accepted F5 set has it.
        if (c.found)
            if (const auto m = lyapunov(st)) c.measure = *m;
    } else {
        const RandomResult r = randomparams(st, ChaosMeasure{});
        c.found = r.code == kRandomAccepted;
        c.measure = r.measure;
    }
    c.params = st;
    c.params.res = settings.side;
    c.params.dres = settings.side;
    if (c.found)
        c.thumbnail = render_small(c.params, steps, clock, settings.side, settings.iterations);
    return c;
}

} // namespace

Surface render_small(const Params& ps, const StepTable& steps, std::int64_t clock, int side,
                     long long iterations) {
    State st;
    set_up(st, ps, steps, clock);
    if (!set_resolution(st, side)) return Surface{0, 0};
    st.fresh_image = true;
    long long made = 0;
    while (made < iterations) {
        const RunOutcome out = run_calls(st, iterations - made, &fused_kernels);
        made += out.calls;
        if (out.calls == 0 || out.last == Outcome::Complete || out.last == Outcome::NoMemory) break;
    }
    return st.canvas;
}

std::vector<GalleryCandidate> draw_gallery(const Params& current, const StepTable& steps,
                                           std::int64_t clock, const GallerySettings& settings,
                                           unsigned threads) {
    std::vector<GalleryCandidate> out(static_cast<std::size_t>(settings.count));
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < out.size(); i = next++)
            out[i] = draw_one(current, steps, clock + static_cast<std::int64_t>(i), settings);
    };
    std::vector<std::thread> pool;
    const unsigned n = std::clamp(threads, 1u, static_cast<unsigned>(out.size()));
    for (unsigned t = 1; t < n; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    return out;
}

void adopt_candidate(Instance& s, const GalleryCandidate& c) {
    if (!c.found) return;
    const auto t = static_cast<std::size_t>(s.type);
    s.p[t] = c.params.p[t];
    s.chaos = c.measure;
    s.rendering = false;
    s.fresh_image = true;
    post_command(s, kCmdRender);
}

} // namespace morv::app
