#include "core/driver.h"

#include "core/plot.h"
#include "core/state.h"

#include <new>

namespace morv {

namespace {

// Makes a zeroed hit-count buffer of res * res entries; false when that much
// memory cannot be had.
bool prepare_hitcount(State& s) {
    const std::size_t n = static_cast<std::size_t>(s.res) * static_cast<std::size_t>(s.res);
    if (s.hcres == s.res && s.hitcount.size() == n) {
        std::fill(s.hitcount.begin(), s.hitcount.end(), 0.0f);
        return true;
    }
    s.hitcount = std::vector<float>();
    s.hcres = 0;
    if (n > s.platform.max_alloc_bytes / sizeof(float)) return false;
    try {
        s.hitcount.assign(n, 0.0f);
    } catch (const std::bad_alloc&) {
        s.hitcount = std::vector<float>();
        return false;
    }
    s.hcres = s.res;
    return true;
}

bool start_afresh(State& s) {
    const PARAM& start = s.p[s.type];
    s.v = VOXEL{start.xstart, start.ystart, start.zstart};
    s.count = s.itercount = 0;
    s.hitmax = 0;
    s.xplot0 = s.yplot0 = 0;
    const std::size_t budget = s.platform.max_alloc_bytes;
    if ((s.canvas.width() != s.res || s.canvas.height() != s.res) &&
        !s.canvas.try_resize(s.res, s.res, 0, budget))
        return false;
    const int ww = s.ClientRes.right, wh = s.ClientRes.bottom;
    if ((s.window.width() != ww || s.window.height() != wh) &&
        !s.window.try_resize(ww, wh, 0, budget))
        return false;
    s.window.fill_rect(Rect{0, 0, s.window.width(), s.window.height()}, 0);
    const Rect image{0, 0, s.res, s.res};
    s.window.fill_rect(image, s.back);
    s.canvas.fill_rect(image, s.back);
    const int m = s.method[s.type];
    if (m == kMethodSpeedPoints || m == kMethodHitCount || m == kMethodZPlane)
        return prepare_hitcount(s);
    return true;
}

// The step at iter 0, which may start from a set the type takes at its first
// run instead of the orbit's point. Kept out of the driver's common path.
[[gnu::noinline]] int first_step(State& s, StepFn step, VOXEL* next, int* xpos, int* ypos) {
    VOXEL old = s.v;
    take_start_set(s, s, old);
    return step(s, s, old, next, 0, xpos, ypos);
}

} // namespace

bool take_start_set(Params& ps, RenderContext& rc, VOXEL& first) {
    if (rc.stormflag == 0 || !valid_type(ps.type)) return false;
    const std::span<const StartSet> sets = catalogue[ps.type].start_sets;
    if (sets.empty()) return false;
    rc.stormflag = 0;
    const StartSet& set = sets[static_cast<std::size_t>(rc.lrand()) % sets.size()];
    first.x = set.x;
    first.y = set.y;
    PARAM& p = ps.p[ps.type];
    p.a = set.a;
    p.b = set.b;
    p.c = set.c;
    p.d = set.d;
    return true;
}

Outcome fractaldriver(State& s) {
    if (s.firstloop && !start_afresh(s)) {
        s.firstloop = 1;
        return Outcome::NoMemory;
    }

    const StepFn step = step_of(s);
    VOXEL vnew = s.v;
    int xplot1 = 0, yplot1 = 0;
    const int r = step == nullptr ? kStop
                  : s.count == 0  ? first_step(s, step, &vnew, &xplot1, &yplot1)
                                  : step(s, s, s.v, &vnew, s.count, &xplot1, &yplot1);

    if (r >= kComplete) {
        if (r != kComplete) return Outcome::Paused;
        s.firstloop = 1;
        return Outcome::Complete;
    }
    s.oldv = s.v;
    s.v = vnew;
    if (s.itercount < 25000) {
        ++s.itercount;
        // The start-up image pauses itself; Resume continues the same orbit.
        if (s.intro && s.itercount == 25000) {
            s.intro = 0;
            s.firstloop = 0;
            return Outcome::Paused;
        }
    }
    if (r == kTransient && s.count < 100) ++s.count;
    if (r < kTransient) {
        if (s.firstloop && s.count < 100) {
            // The first point of a fresh image only becomes the previous pixel.
            ++s.count;
        } else if (r == kPlot) {
            plot(s, s, xplot1, yplot1, s.xplot0, s.yplot0);
        }
        s.xplot0 = xplot1;
        s.yplot0 = yplot1;
    }
    s.firstloop = 0;
    return r == kTransient ? Outcome::Transient : Outcome::Plotted;
}

} // namespace morv
