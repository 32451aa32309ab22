#pragma once

// The driver's per-call work written out once for a known step function and
// colouring method, so that many calls run without the step table, the
// method switch or the drawing checks. Included only where the kernels are
// instantiated; run_calls() is the way in.
#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/params.h"
#include "core/render_context.h"
#include "core/run_calls.h"

#include <algorithm>
#include <cmath>

namespace morv {

namespace fused {

// The driver's locals of one run, written back to the context when it stops.
struct Orbit {
    VOXEL v, oldv;
    int count, itercount, xplot0, yplot0;
    unsigned hitmax;

    explicit Orbit(const RenderContext& rc)
        : v(rc.v), oldv(rc.oldv), count(rc.count), itercount(rc.itercount), xplot0(rc.xplot0),
          yplot0(rc.yplot0), hitmax(rc.hitmax) {}
    void store(RenderContext& rc, int lastresult) const {
        rc.v = v;
        rc.oldv = oldv;
        rc.count = count;
        rc.itercount = itercount;
        rc.xplot0 = xplot0;
        rc.yplot0 = yplot0;
        rc.hitmax = hitmax;
        rc.lastresult = lastresult;
    }
};

// Where a dot lands: the canvas directly (it is res x res), the window where
// it shows the image, the hit counts when they belong to this resolution.
struct Target {
    std::uint32_t* canvas;
    float* hits;
    int res, window_right, window_bottom;

    Target(const Params& ps, RenderContext& rc)
        : canvas(rc.canvas.data()), hits(rc.hcres == ps.res ? rc.hitcount.data() : nullptr),
          res(ps.res), window_right(std::min(ps.res, rc.ClientRes.right)),
          window_bottom(std::min(ps.res, rc.ClientRes.bottom)) {}

    void dot(RenderContext& rc, int x, int y, COLORREF c) const {
        canvas[static_cast<std::size_t>(y) * static_cast<std::size_t>(res) + x] =
            Surface::to_pixel(c);
        if (x < window_right && y < window_bottom) rc.window.set_pixel(x, y, c);
    }
};

// The plotter of "Speed - Points" and "Hit Count" for an on-image pixel.
template <int Method>
inline void plot_dot(const Params& ps, RenderContext& rc, const Target& t, Orbit& o, const VOXEL& v,
                     const VOXEL& oldv, int x, int y) {
    if (t.hits == nullptr) return;
    float* h = &t.hits[static_cast<std::size_t>(y) * static_cast<std::size_t>(t.res) + x];
    if constexpr (Method == kMethodHitCount) {
        const std::uint32_t n = static_cast<std::uint32_t>(trunc32(*h)) + 1u;
        *h += 1.0f;
        if (n > o.hitmax) o.hitmax = n;
        t.dot(rc, x, y, palette_color(ps.palette, n < 255 ? n : 255));
    } else {
        const double dx = v.x - oldv.x, dy = v.y - oldv.y;
        std::uint32_t c =
            static_cast<std::uint32_t>(trunc32(std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0)));
        c = c == 0 ? 1 : (c > 255 ? 255 : c);
        const auto shown = static_cast<std::uint32_t>(trunc32(*h));
        if (c <= shown) return; // a pixel keeps the highest index it has shown
        t.dot(rc, x, y, palette_color(ps.palette, c));
        *h = static_cast<float>(c);
        if (c > o.hitmax) o.hitmax = c;
    }
}

// A dot whose drawing waits until the next step has been worked out: its hit
// count and pixel are fetched meanwhile, so a far pixel's cache miss overlaps
// the step instead of stalling it. The steps of these types never read the
// drawing buffers, so the picture is the same as drawing at once.
struct PendingDot {
    VOXEL v, oldv;
    int x = 0, y = 0;
    bool set = false;
};

template <int Method>
inline void defer_dot(const Target& t, PendingDot& d, const VOXEL& v, const VOXEL& oldv, int x,
                      int y) {
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(t.res) + x;
    if (t.hits != nullptr) __builtin_prefetch(&t.hits[at], 1);
    __builtin_prefetch(&t.canvas[at], 1);
    d.v = v, d.oldv = oldv, d.x = x, d.y = y, d.set = true;
}

template <int Method>
inline void draw_pending(const Params& ps, RenderContext& rc, const Target& t, Orbit& o,
                         PendingDot& d) {
    if (!d.set) return;
    d.set = false;
    plot_dot<Method>(ps, rc, t, o, d.v, d.oldv, d.x, d.y);
}

// Up to n calls of the driver for a context past its first call whose type
// steps with Step and colours with Method (Step may be an inline copy of the
// table's step, so that its body is compiled into the loop); stops after a
// call that pauses or sets *held, exactly as the one-call driver would leave
// everything.
template <StepFn Step, int Method>
long long calls(const Params& ps, RenderContext& rc, long long n, const bool* held, Outcome& last) {
    static_assert(Method == kMethodSpeedPoints || Method == kMethodHitCount);
    Orbit o(rc);
    const Target t(ps, rc);
    PendingDot pending;
    long long done = 0;
    int r = rc.lastresult;
    while (done < n) {
        VOXEL vnew = o.v;
        int x1 = 0, y1 = 0;
        r = Step(ps, rc, o.v, &vnew, o.count, &x1, &y1);
        ++done;
        draw_pending<Method>(ps, rc, t, o, pending);
        if (r >= kComplete) {
            o.store(rc, r);
            if (r == kComplete) rc.firstloop = 1;
            last = r == kComplete ? Outcome::Complete : Outcome::Paused;
            return done;
        }
        // Field by field: a wide copy of what the step has just stored
        // piecewise would stall until those stores complete.
        o.oldv.x = o.v.x, o.oldv.y = o.v.y, o.oldv.z = o.v.z;
        o.v.x = vnew.x, o.v.y = vnew.y, o.v.z = vnew.z;
        if (o.itercount < 25000) {
            ++o.itercount;
            // The start-up image pauses itself; Resume continues the same orbit.
            if (rc.intro && o.itercount == 25000) {
                rc.intro = 0;
                o.store(rc, r);
                last = Outcome::Paused;
                return done;
            }
        }
        if (r == kTransient && o.count < 100) ++o.count;
        if (r < kTransient) {
            if (r == kPlot && static_cast<unsigned>(x1) < static_cast<unsigned>(t.res) &&
                static_cast<unsigned>(y1) < static_cast<unsigned>(t.res))
                defer_dot<Method>(t, pending, vnew, o.oldv, x1, y1);
            o.xplot0 = x1;
            o.yplot0 = y1;
        }
        last = r == kTransient ? Outcome::Transient : Outcome::Plotted;
        if (held != nullptr && *held) break;
    }
    draw_pending<Method>(ps, rc, t, o, pending);
    o.store(rc, r);
    return done;
}

} // namespace fused

// The kernels of one step function, by colouring method. Body is what the
// kernels call: the step itself, or an inline function computing the same.
template <StepFn Step, StepFn Body = Step> constexpr FusedKernels fused_kernels_of() {
    FusedKernels k{};
    k.step = Step;
    k.by_method[kMethodSpeedPoints] = &fused::calls<Body, kMethodSpeedPoints>;
    k.by_method[kMethodHitCount] = &fused::calls<Body, kMethodHitCount>;
    return k;
}

} // namespace morv
