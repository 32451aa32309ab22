// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/driver.h"

#include "core/orbit_rules.h"
#include "core/plot.h"
#include "core/state.h"

#include <new>

namespace morv {

namespace {

// Makes a zeroed hit-count buffer of res * res entries; false when that much
// memory cannot be had.
bool prepare_hitcount(const Params& ps, RenderContext& rc) {
    const std::size_t n = static_cast<std::size_t>(ps.res) * static_cast<std::size_t>(ps.res);
    if (rc.hcres == ps.res && rc.hitcount.size() == n) {
        std::fill(rc.hitcount.begin(), rc.hitcount.end(), 0.0f);
        return true;
    }
    rc.hitcount = std::vector<float>();
    rc.hcres = 0;
    if (n > rc.platform.max_alloc_bytes / sizeof(float)) return false;
    try {
        rc.hitcount.assign(n, 0.0f);
    } catch (const std::bad_alloc&) {
        rc.hitcount = std::vector<float>();
        return false;
    }
    rc.hcres = ps.res;
    return true;
}

// `start`: where the orbit begins; the parameters' start point when null.
bool start_afresh(const Params& ps, RenderContext& rc, const Point3* start) {
    const TypeParams& p = ps.p[ps.type];
    rc.v = start != nullptr ? *start : Point3{p.xstart, p.ystart, p.zstart};
    rc.count = rc.itercount = 0;
    rc.hitmax = 0;
    rc.xplot0 = rc.yplot0 = 0;
    const std::size_t budget = rc.platform.max_alloc_bytes;
    const int res = ps.res;
    if (rc.paints_canvas && (rc.canvas.width() != res || rc.canvas.height() != res) &&
        !rc.canvas.try_resize(res, res, 0, budget))
        return false;
    const int ww = rc.ClientRes.right, wh = rc.ClientRes.bottom;
    if ((rc.window.width() != ww || rc.window.height() != wh) &&
        !rc.window.try_resize(ww, wh, 0, budget))
        return false;
    rc.window.fill_rect(Rect{0, 0, rc.window.width(), rc.window.height()}, 0);
    const Rect image{0, 0, res, res};
    rc.window.fill_rect(image, ps.back);
    rc.canvas.fill_rect(image, ps.back);
    if (!rc.density.start(ps, budget)) return false;
    const int m = ps.method[ps.type];
    if (m == kMethodSpeedPoints || m == kMethodHitCount || m == kMethodZPlane)
        return prepare_hitcount(ps, rc);
    return true;
}

// The step at iter 0, which may start from a set the type takes at its first
// run instead of the orbit's point. Kept out of the driver's common path.
[[gnu::noinline]] int first_step(Params& ps, RenderContext& rc, StepFn step, Point3* next,
                                 int* xpos, int* ypos) {
    Point3 old = rc.v;
    take_start_set(ps, rc, old);
    return step(ps, rc, old, next, 0, xpos, ypos);
}

// Over a shared parameter set nothing is taken: the set was taken before.
[[gnu::noinline]] int first_step(const Params& ps, RenderContext& rc, StepFn step, Point3* next,
                                 int* xpos, int* ypos) {
    return step(ps, rc, rc.v, next, 0, xpos, ypos);
}

// One driver call; P is Params when the first step may take a start set into
// the parameters, const Params when they are shared.
template <class P> Outcome drive(P& ps, RenderContext& rc, const Point3* start) {
    if (rc.fresh_image && !start_afresh(ps, rc, start)) {
        rc.fresh_image = true;
        return Outcome::NoMemory;
    }

    const StepFn step = step_of(ps, rc);
    Point3 vnew = rc.v;
    int xplot1 = 0, yplot1 = 0;
    const int r = step == nullptr ? kStop
                  : rc.count == 0 ? first_step(ps, rc, step, &vnew, &xplot1, &yplot1)
                                  : step(ps, rc, rc.v, &vnew, rc.count, &xplot1, &yplot1);

    if (r >= kComplete) {
        if (r != kComplete) return Outcome::Paused;
        rc.fresh_image = true;
        return Outcome::Complete;
    }
    rc.oldv = rc.v;
    rc.v = vnew;
    // The start-up image pauses itself; Resume continues the same orbit.
    if (count_intro_point(rc.itercount, rc.intro)) {
        rc.fresh_image = false;
        return Outcome::Paused;
    }
    count_transient(r, rc.count);
    if (r < kTransient) {
        if (rc.fresh_image && rc.count < kSettlingSteps) {
            // The first point of a fresh image only becomes the previous pixel.
            ++rc.count;
        } else if (r == kPlot) {
            plot(ps, rc, xplot1, yplot1, rc.xplot0, rc.yplot0);
            if (rc.density.active()) rc.density.add(ps, xplot1, yplot1, rc.v, rc.oldv);
        }
        rc.xplot0 = xplot1;
        rc.yplot0 = yplot1;
    }
    rc.fresh_image = false;
    return r == kTransient ? Outcome::Transient : Outcome::Plotted;
}

} // namespace

bool take_start_set(Params& ps, RenderContext& rc, Point3& first) {
    if (rc.stormflag == 0 || !valid_type(ps.type)) return false;
    const std::span<const StartSet> sets = catalogue[ps.type].start_sets;
    if (sets.empty()) return false;
    rc.stormflag = 0;
    const StartSet& set = sets[static_cast<std::size_t>(rc.lrand()) % sets.size()];
    first.x = set.x;
    first.y = set.y;
    TypeParams& p = ps.p[ps.type];
    p.a = set.a;
    p.b = set.b;
    p.c = set.c;
    p.d = set.d;
    return true;
}

Outcome render_step(State& s) {
    return drive<Params>(s, s, nullptr);
}

Outcome render_step(const Params& ps, RenderContext& rc, const Point3* start) {
    return drive<const Params>(ps, rc, start);
}

} // namespace morv
