// SPDX-License-Identifier: GPL-3.0-or-later
#include "formulas/orbits.h"

#include "core/driver.h"
#include "core/numeric.h"
#include "core/orbit_rules.h"
#include "core/run_calls.h"
#include "core/workers.h"
#include "formulas/kernels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <new>

namespace morv {

namespace {

// SplitMix64: decorrelates the per-orbit values drawn from one clock value.
std::uint64_t mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// -1..1 from the top 53 bits.
double unit(std::uint64_t z) {
    return static_cast<double>(z >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

// Orbit k: its render context and where it starts.
struct Orbit {
    RenderContext rc;
    Point3 start;
};

// The key of orbit k's own values.
std::uint64_t orbit_key(long long k, std::int64_t clock) {
    return mix(static_cast<std::uint64_t>(clock) ^ mix(static_cast<std::uint64_t>(k)));
}

Orbit orbit_of(const State& base, const Point3& start, long long k, std::int64_t clock) {
    Orbit o{base, orbit_start(start, k, clock)};
    o.rc.paints_canvas = false; // only the hit counts are summed
    const std::int64_t own = orbit_clock(k, clock);
    o.rc.platform.now_seconds = [own] { return own; };
    if (k == 0) return o;
    o.rc.rng.srand(orbit_seed(k, clock));
    return o;
}

} // namespace

std::int64_t orbit_clock(long long k, std::int64_t clock) {
    if (k == 0) return clock;
    return static_cast<std::int64_t>(mix(orbit_key(k, clock) + 4) >> 33);
}

Point3 orbit_start(const Point3& start, long long k, std::int64_t clock) {
    if (k == 0) return start;
    const std::uint64_t key = orbit_key(k, clock);
    auto nudge = [](double v, std::uint64_t z) {
        return v + unit(z) * 1e-3 * std::max(1.0, std::fabs(v));
    };
    return Point3{nudge(start.x, mix(key + 1)), nudge(start.y, mix(key + 2)),
                  nudge(start.z, mix(key + 3))};
}

std::uint32_t orbit_seed(long long k, std::int64_t clock) {
    return static_cast<std::uint32_t>(mix(orbit_key(k, clock) + 5) >> 32);
}

Point3 orbits_start(State& base, long long iterations) {
    const TypeParams& p = base.p[base.type];
    Point3 first{p.xstart, p.ystart, p.zstart};
    if (iterations > 0) take_start_set(base, base, first);
    return first;
}

namespace {

// Calls of one orbit over the shared parameters, as the renderer runs the
// one orbit: a pause is resumed at once. False when the image completed;
// std::bad_alloc when its buffer could not be had (the orbit would be lost).
bool run_orbit(const Params& ps, Orbit& o, long long calls) {
    long long made = 0;
    while (made < calls) {
        RunOutcome out;
        if (o.rc.fresh_image) {
            out.last = render_step(ps, o.rc, &o.start);
            out.calls = 1;
        } else {
            out = run_calls(ps, o.rc, calls - made, &fused_kernels);
        }
        made += out.calls;
        if (out.last == Outcome::NoMemory) throw std::bad_alloc();
        if (out.last == Outcome::Complete) return false;
    }
    return true;
}

void add_orbit(const RenderContext& rc, OrbitTotals& totals) {
    const std::size_t n = std::min(totals.counts.size(), rc.hitcount.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto h = static_cast<std::uint64_t>(std::max(0, trunc32(rc.hitcount[i])));
        if (totals.method == kMethodHitCount)
            totals.counts[i] += h;
        else
            totals.counts[i] = std::max(totals.counts[i], h);
    }
    if (!totals.density.cells.empty() && rc.density.active())
        add_density(rc.density.cells(), totals.density);
}

} // namespace

std::optional<std::string> orbits_refusal(const State& s) {
    const int m = s.method[s.type];
    if (!plots_points_only(s.type))
        return std::string(type_label(s.type)) +
               " draws by itself; several orbits need a point map, plane map or random-branch "
               "map";
    if (m != kMethodSpeedPoints && m != kMethodHitCount)
        return std::string("several orbits need the Speed - Points or Hit Count method "
                           "(method=1 or method=3)");
    return std::nullopt;
}

std::optional<std::string> orbit_count_refusal(long long orbits, long long iterations, int res) {
    // An orbit costs a pass over the whole image (cleared, then added to the
    // totals) besides its calls; orbits too short to outweigh that would spend
    // the render clearing images.
    const long long pixels = static_cast<long long>(res) * res;
    const long long least = std::max(1LL, pixels / kPixelsPerOrbitCall);
    const long long most = std::min(kMaxOrbits, std::max(1LL, iterations / least));
    if (orbits <= most) return std::nullopt;
    return "--orbits " + std::to_string(orbits) + ": " + std::to_string(iterations) +
           " iterations at " + std::to_string(res) + " x " + std::to_string(res) +
           " can use at most " + std::to_string(most) + " orbits (each needs " +
           std::to_string(least) + " iterations or more" +
           (most == kMaxOrbits ? ", and " + std::to_string(kMaxOrbits) + " is the limit" : "") +
           "); give more --iterations or fewer --orbits";
}

long long orbit_calls(long long iterations, long long orbits, long long k) {
    return iterations / orbits + (k < iterations % orbits ? 1 : 0);
}

namespace {

// Draws orbit k whole, in slices so that the progress line moves during long
// orbits and a stop (or a pause of the desktop program) is felt within one
// slice, a few milliseconds; false when it was stopped.
bool draw_orbit(const Params& params, Orbit& o, long long calls, SharedWork& work,
                const std::function<void(long long)>* progress) {
    constexpr long long kSlice = 1 << 18;
    for (long long made = 0; made < calls;) {
        if (work.stopping()) return false;
        const long long step = std::min(kSlice, calls - made);
        const bool more = run_orbit(params, o, step);
        made += step;
        work.done += step;
        if (progress != nullptr && *progress) (*progress)(work.done.load());
        if (!more) break;
    }
    return true;
}

} // namespace

namespace {

// Base's image buffers, set aside while the orbits copy its context (so that
// they start empty and make only their hit counts), and given back after.
class BuffersAside {
  public:
    explicit BuffersAside(RenderContext& rc)
        : rc_(rc), canvas_(std::move(rc.canvas)), window_(std::move(rc.window)),
          hitcount_(std::move(rc.hitcount)) {
        rc.canvas = Surface();
        rc.window = Surface();
        rc.hitcount.clear();
    }
    ~BuffersAside() {
        rc_.canvas = std::move(canvas_);
        rc_.window = std::move(window_);
        rc_.hitcount = std::move(hitcount_);
    }
    BuffersAside(const BuffersAside&) = delete;
    BuffersAside& operator=(const BuffersAside&) = delete;

  private:
    RenderContext& rc_;
    Surface canvas_, window_;
    std::vector<float> hitcount_;
};

// A thread's last orbit's hit counts and density, zeroed for its next orbit
// rather than had afresh: at 4000 x 4000 a density is half a gigabyte, and
// fresh pages cost more than clearing them.
class ThreadBuffers {
  public:
    void lend(RenderContext& rc, int res) {
        if (!counts_.empty()) {
            rc.hitcount = std::move(counts_);
            rc.hcres = res;
        }
        if (!cells_.empty()) rc.density.adopt(res, std::move(cells_));
    }
    void take(RenderContext& rc) {
        counts_ = std::move(rc.hitcount);
        cells_ = std::move(rc.density.cells());
    }

  private:
    std::vector<float> counts_;
    std::vector<DensityCell> cells_;
};

} // namespace

long long render_orbits(State& base, const OrbitJob& job, OrbitTotals& totals,
                        const std::function<void(long long)>& progress) {
    totals.method = base.method[base.type];
    const Point3 start = orbits_start(base, job.iterations);
    const BuffersAside aside(base);
    if (job.ready && !job.ready()) return 0;
    const Params& params = base; // read by every orbit, written by none
    SharedWork work;
    work.stop = job.stop;
    work.next = job.first;
    auto drawn = [&](long long k) {
        const auto i = static_cast<std::size_t>(k - job.first);
        return i < job.drawn.size() && job.drawn[i];
    };
    for (long long k = job.first; k < job.end; ++k)
        if (drawn(k)) work.done += orbit_calls(job.iterations, job.orbits, k);
    const auto threads = static_cast<int>(
        std::min<long long>(job.threads, std::min<long long>(job.end - job.first, 1 << 16)));
    return run_workers(work, threads, [&](bool reporter) {
        ThreadBuffers kept;
        for (long long k; !work.stopping() && (k = work.next.fetch_add(1)) < job.end;) {
            if (drawn(k)) continue;
            Orbit o = orbit_of(base, start, k, job.clock);
            kept.lend(o.rc, base.res);
            const long long calls = orbit_calls(job.iterations, job.orbits, k);
            // A stopped orbit is not added: the totals are not used then.
            if (!draw_orbit(params, o, calls, work, reporter ? &progress : nullptr)) break;
            const std::lock_guard<std::mutex> lock(work.merge);
            add_orbit(o.rc, totals);
            if (job.added) job.added({k});
            kept.take(o.rc);
        }
    });
}

void paint_totals(State& s, const OrbitTotals& totals, long long calls) {
    const int res = s.res;
    if (s.canvas.width() != res || s.canvas.height() != res) s.canvas.resize(res, res);
    s.canvas.fill_rect(Rect{0, 0, res, res}, s.back);
    s.hitcount.assign(totals.counts.size(), 0.0f);
    s.hcres = res;
    std::uint64_t top = 0;
    std::uint32_t* px = s.canvas.data();
    for (std::size_t i = 0; i < totals.counts.size(); ++i) {
        const std::uint64_t c = totals.counts[i];
        if (c == 0) continue;
        top = std::max(top, c);
        s.hitcount[i] = static_cast<float>(c);
        px[i] = Surface::to_pixel(
            palette_color(s.palette, static_cast<unsigned>(std::min<std::uint64_t>(c, 255))));
    }
    s.hitmax =
        static_cast<unsigned>(std::min<std::uint64_t>(top, std::numeric_limits<unsigned>::max()));
    s.itercount = static_cast<int>(std::min<long long>(calls, kIntroPoints));
    s.fresh_image = false;
}

} // namespace morv
