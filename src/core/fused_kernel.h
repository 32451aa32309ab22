// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The driver's per-call work written out once for a known step function and
// colouring method, so that many calls run without the step table, the
// method switch or the drawing checks. Included only where the kernels are
// instantiated; run_calls() is the way in.
#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/orbit_rules.h"
#include "core/params.h"
#include "core/render_context.h"
#include "core/run_calls.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace morv {

namespace fused {

// The driver's locals of one run, written back to the context when it stops.
struct Orbit {
    Point3 v, oldv;
    int count, itercount, xplot0, yplot0;
    unsigned hitmax;

    explicit Orbit(const RenderContext& rc)
        : v(rc.v), oldv(rc.oldv), count(rc.count), itercount(rc.itercount), xplot0(rc.xplot0),
          yplot0(rc.yplot0), hitmax(rc.hitmax) {}
    void store(RenderContext& rc) const {
        rc.v = v;
        rc.oldv = oldv;
        rc.count = count;
        rc.itercount = itercount;
        rc.xplot0 = xplot0;
        rc.yplot0 = yplot0;
        rc.hitmax = hitmax;
    }
};

// Where a dot lands: the canvas directly (it is res x res; none when the
// context paints no canvas), the window where it shows the image, the hit
// counts when they belong to this resolution.
// The palette is held as ready canvas pixels, made once per run.
struct Target {
    std::uint32_t* canvas;
    float* hits;
    Surface* window;
    const Palette* palette;
    int res, window_right, window_bottom;
    std::array<std::uint32_t, 256> pixel;

    Target(const Params& ps, RenderContext& rc)
        : canvas(rc.paints_canvas ? rc.canvas.data() : nullptr),
          hits(rc.hcres == ps.res ? rc.hitcount.data() : nullptr), window(&rc.window),
          palette(&ps.palette), res(ps.res), window_right(std::min(ps.res, rc.ClientRes.right)),
          window_bottom(std::min(ps.res, rc.ClientRes.bottom)) {
        for (unsigned i = 0; i < pixel.size(); ++i)
            pixel[i] = Surface::to_pixel(palette_color(ps.palette, i));
    }

    void dot(std::size_t at, int x, int y, std::uint32_t index) const {
        if (canvas != nullptr) canvas[at] = pixel[index];
        if (x < window_right && y < window_bottom)
            window->set_pixel(x, y, palette_color(*palette, index));
    }
};

// The colour index of "Speed - Points": the step's length, limited to 1..255.
inline std::uint32_t speed_index(const Point3& v, const Point3& oldv) {
    const double dx = v.x - oldv.x, dy = v.y - oldv.y;
    const auto c =
        static_cast<std::uint32_t>(trunc32(std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0)));
    return c == 0 ? 1 : (c > 255 ? 255 : c);
}

// A dot whose drawing waits until the next step has been worked out: its hit
// count and pixel are fetched meanwhile, so a far pixel's cache miss overlaps
// the step instead of stalling it. The steps of these types never read the
// drawing buffers, so the picture is the same as drawing at once.
struct PendingDot {
    std::size_t at = 0;
    int x = 0, y = 0;
    std::uint32_t speed = 0; // the colour index for "Speed - Points"
    bool set = false;
};

template <int Method>
inline void defer_dot(const Target& t, PendingDot& d, const Point3& v, const Point3& oldv, int x,
                      int y) {
    if (t.hits == nullptr) return; // no hit counts: these methods draw nothing
    d.at = static_cast<std::size_t>(y) * static_cast<std::size_t>(t.res) + x;
    __builtin_prefetch(&t.hits[d.at], 1);
    // "Speed - Points" seldom redraws a pixel once the image has filled in:
    // fetching its canvas line would mostly be wasted.
    if constexpr (Method == kMethodHitCount)
        if (t.canvas != nullptr) __builtin_prefetch(&t.canvas[d.at], 1);
    if constexpr (Method == kMethodSpeedPoints) d.speed = speed_index(v, oldv);
    d.x = x, d.y = y, d.set = true;
}

// The plotter of "Speed - Points" and "Hit Count" for the pending dot.
// Always inlined: the hit maximum must stay in a register.
template <int Method>
[[gnu::always_inline]] inline void draw_pending(const Target& t, unsigned& hitmax, PendingDot& d) {
    if (!d.set) return;
    d.set = false;
    float* h = &t.hits[d.at];
    if constexpr (Method == kMethodHitCount) {
        const std::uint32_t n = static_cast<std::uint32_t>(trunc32(*h)) + 1u;
        *h += 1.0f;
        if (n > hitmax) hitmax = n;
        t.dot(d.at, d.x, d.y, n < 255 ? n : 255);
    } else {
        const std::uint32_t c = d.speed;
        if (c <= static_cast<std::uint32_t>(trunc32(*h))) return; // a pixel keeps its highest
        t.dot(d.at, d.x, d.y, c);
        *h = static_cast<float>(c);
        if (c > hitmax) hitmax = c;
    }
}

// Whether Step leaves the z of its points to the run: it then has a
// deferred_z(p, old, next) setting next->z from old's plane coordinates.
template <class Step> constexpr bool defers_z() {
    return requires {
        &Step::deferred_z;
    };
}

// Adds the plotted point v (reached from oldv) at pixel (x, y) to the density
// as the driver does. A step that leaves z to the end of the run has not made
// v's z yet: it is worked out here from oldv's plane coordinates.
template <class Step>
inline void feed_density(const Params& ps, const Step& step, Density& d, int x, int y,
                         const Point3& v, const Point3& oldv) {
    if constexpr (defers_z<Step>()) {
        Point3 full = v;
        Step::deferred_z(step.p, oldv, &full);
        d.add(ps, x, y, full, oldv);
    } else {
        d.add(ps, x, y, v, oldv);
    }
}

// Up to n driver calls for a context past its first call whose type steps with
// `step` and colours with Method; stops after a call that pauses or sets
// *held, exactly as the one-call driver would leave everything.
template <int Method, class Step>
long long run(const Params& ps, RenderContext& rc, const Step& step, long long n, const bool* held,
              Outcome& last) {
    static_assert(Method == kMethodSpeedPoints || Method == kMethodHitCount);
    Orbit o(rc);
    const Target t(ps, rc);
    Density* const density = rc.density.active() ? &rc.density : nullptr;
    PendingDot pending;
    long long done = 0;
    int r = kPlot;
    // With a deferred z: the plane coordinates of the point before oldv, and
    // how many of v and oldv (0..2) this run has made.
    Point3 older{};
    int made = 0;
    auto finish = [&]() {
        if constexpr (defers_z<Step>()) {
            if (made >= 1) Step::deferred_z(step.p, o.oldv, &o.v);
            if (made >= 2) Step::deferred_z(step.p, older, &o.oldv);
        }
        o.store(rc);
    };
    while (done < n) {
        Point3 vnew = o.v;
        int x1 = 0, y1 = 0;
        r = step(o.v, &vnew, o.count, &x1, &y1);
        ++done;
        draw_pending<Method>(t, o.hitmax, pending);
        if (r >= kComplete) {
            finish();
            if (r == kComplete) rc.fresh_image = true;
            last = r == kComplete ? Outcome::Complete : Outcome::Paused;
            return done;
        }
        if constexpr (defers_z<Step>()) {
            older.x = o.oldv.x, older.y = o.oldv.y;
            made += made < 2;
        }
        // Field by field: a wide copy of what the step has just stored
        // piecewise would stall until those stores complete.
        o.oldv.x = o.v.x, o.oldv.y = o.v.y, o.oldv.z = o.v.z;
        o.v.x = vnew.x, o.v.y = vnew.y, o.v.z = vnew.z;
        // The start-up image pauses itself; Resume continues the same orbit.
        if (count_intro_point(o.itercount, rc.intro)) {
            finish();
            last = Outcome::Paused;
            return done;
        }
        count_transient(r, o.count);
        if (r < kTransient) {
            if (r == kPlot && static_cast<unsigned>(x1) < static_cast<unsigned>(t.res) &&
                static_cast<unsigned>(y1) < static_cast<unsigned>(t.res)) {
                defer_dot<Method>(t, pending, o.v, o.oldv, x1, y1);
                if (density != nullptr) feed_density(ps, step, *density, x1, y1, o.v, o.oldv);
            }
            o.xplot0 = x1;
            o.yplot0 = y1;
        }
        if (held != nullptr && *held) break;
    }
    if (done > 0) last = r == kTransient ? Outcome::Transient : Outcome::Plotted;
    draw_pending<Method>(t, o.hitmax, pending);
    finish();
    return done;
}

// A step of the table called as it is.
template <StepFn Step> struct TableStep {
    const Params& ps;
    RenderContext& rc;

    int operator()(Point3 old, Point3* next, int iter, int* xpos, int* ypos) const {
        return Step(ps, rc, old, next, iter, xpos, ypos);
    }
    template <class Run> static auto with(const Params& ps, RenderContext& rc, Run&& run) {
        return run(TableStep{ps, rc});
    }
};

// The kernel of Method for a step that Steps::with() resolves for the
// parameter set and the context.
template <class Steps, int Method>
long long calls(const Params& ps, RenderContext& rc, long long n, const bool* held, Outcome& last) {
    return Steps::with(ps, rc,
                       [&](const auto& step) { return run<Method>(ps, rc, step, n, held, last); });
}

} // namespace fused

// The kernels of one step function, by colouring method. Steps computes what
// Step does: the step itself, or a type whose with(ps, rc, run) calls run with
// an equivalent step resolved for them (inline, its parameters read once).
template <StepFn Step, class Steps = fused::TableStep<Step>>
constexpr FusedKernels fused_kernels_of() {
    FusedKernels k{};
    k.step = Step;
    k.by_method[kMethodSpeedPoints] = &fused::calls<Steps, kMethodSpeedPoints>;
    k.by_method[kMethodHitCount] = &fused::calls<Steps, kMethodHitCount>;
    return k;
}

} // namespace morv
