// SPDX-License-Identifier: GPL-3.0-or-later
// Fused render kernels beside the one-call driver and a hand-written loop of
// the same map, view mapping and colouring, measured in one run in processor
// time (comparable on a busy machine). The hand loop is the plainest loop
// that draws the same picture with the same arithmetic, and the bench checks
// that it does: a kernel that got faster by drawing something else would
// show up here as a mismatch, not as a speed-up. Prints figures; never part
// of the tests.
#include "core/driver.h"
#include "core/numeric.h"
#include "core/rotation.h"
#include "core/run_calls.h"
#include "core/state.h"
#include "formulas/kernels.h"
#include "formulas/steps.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace morv {
namespace {

constexpr int kRes = 600;
constexpr long long kCalls = 4000000;

double cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

template <class F> double rate_of(F&& f) {
    const double start = cpu_seconds();
    f();
    return kCalls / (cpu_seconds() - start);
}

// What a render leaves behind, to hold the hand loop to the same picture.
struct Picture {
    std::vector<float> hits;
    std::vector<std::uint32_t> pixels;
    unsigned hitmax = 0;
    Point3 v{};

    explicit Picture(const State& s)
        : hits(s.hitcount), pixels(s.canvas.data(), s.canvas.data() + hits.size()),
          hitmax(s.hitmax), v(s.v) {}

    // The same picture and the same orbit in the plane (a hand loop has no
    // use for the z that only a rotation reads).
    bool operator==(const Picture& o) const {
        return hits == o.hits && pixels == o.pixels && hitmax == o.hitmax &&
               std::memcmp(&v, &o.v, 2 * sizeof v.x) == 0;
    }
};

struct Case {
    const char* what;
    int type, method;
    Point3 angles;
};

// A state past its fresh start, ready for the timed calls.
State prepared(const Case& c) {
    State s;
    s.steps = &fpointer;
    s.intro = 0;
    s.type = c.type;
    s.method[c.type] = c.method;
    s.rot[c.type] = c.angles;
    set_resolution(s, kRes);
    render_step(s); // the fresh start
    return s;
}

double fused_rate(State& s) {
    return rate_of([&] { run_calls(s, kCalls, &fused_kernels); });
}

double driver_rate(State& s) {
    return rate_of([&] {
        for (long long i = 0; i < kCalls; ++i)
            render_step(s);
    });
}

// The hand-written loop: the map inline, the view mapping, the float hit
// count and a pixel per dot as the method colours it. `map` returns the next
// orbit point and sets the point to show.
template <class Map> double hand_rate(Picture& pic, const ViewWindow& w, int method, Map map) {
    const Palette& pal = defpal1;
    const double dres = kRes;
    Point3 v = pic.v;
    unsigned hitmax = pic.hitmax;
    const double rate = rate_of([&] {
        for (long long i = 0; i < kCalls; ++i) {
            const Point3 old = v;
            Point3 shown;
            v = map(v, shown);
            const int x = trunc32((shown.x - w.xmin) * dres / (w.xmax - w.xmin));
            const int row = trunc32((shown.y - w.ymin) * dres / (w.ymax - w.ymin));
            if (static_cast<unsigned>(x) >= kRes || static_cast<unsigned>(row) >= kRes) continue;
            const std::size_t at = static_cast<std::size_t>(kRes - 1 - row) * kRes + x;
            float& h = pic.hits[at];
            std::uint32_t c;
            if (method == kMethodHitCount) {
                c = static_cast<std::uint32_t>(trunc32(h)) + 1;
                h += 1.0f;
            } else {
                const double dx = v.x - old.x, dy = v.y - old.y;
                c = static_cast<std::uint32_t>(
                    trunc32(std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0)));
                c = c == 0 ? 1 : (c > 255 ? 255 : c);
                if (c <= static_cast<std::uint32_t>(trunc32(h))) continue;
                h = static_cast<float>(c);
            }
            if (c > hitmax) hitmax = c;
            const RGB& e = pal[c < 255 ? c : 255];
            pic.pixels[at] = 0xFF000000u | (e[0] << 16) | (e[1] << 8) | e[2];
        }
    });
    pic.v = v;
    pic.hitmax = hitmax;
    return rate;
}

// Times the three ways over the same calls from the same start; false when
// the hand loop's picture differs from the kernel's.
template <class Map> bool report(const Case& c, Map map) {
    State fused = prepared(c), single = fused;
    Picture hand(fused);
    const double f = fused_rate(fused), d = driver_rate(single);
    const double h = hand_rate(hand, catalogue[c.type].mmdef, c.method, map);
    const bool same = hand == Picture(fused) && Picture(single) == Picture(fused) &&
                      std::memcmp(&single.v, &fused.v, sizeof single.v) == 0;
    std::printf("%-30s %9.2f %9.2f %9.2f %6.2f %6.2f%s\n", c.what, f / 1e6, d / 1e6, h / 1e6, f / h,
                d / h, same ? "" : "  MISMATCH: the loops drew different pictures");
    return same;
}

} // namespace
} // namespace morv

int main() {
    using namespace morv;
    std::printf("%lld calls per case at res %d, M calls per processor second\n", kCalls, kRes);
    std::printf("%-30s %9s %9s %9s %6s %6s\n", "case", "fused", "driver", "hand", "f/h", "d/h");
    bool same = true;

    auto henon = [](Point3 v, Point3& shown) {
        shown = Point3{(v.y + 1.0) - 1.4 * v.x * v.x, 0.3 * v.x, v.z};
        return shown;
    };
    same &= report({"Henon, speed points", kTypeHenon, kMethodSpeedPoints, {}}, henon);
    same &= report({"Henon, hit count", kTypeHenon, kMethodHitCount, {}}, henon);

    const TypeParams dj = catalogue[kTypeDeJong].pdef;
    auto dejong = [&](Point3 v, Point3& shown) {
        shown = Point3{std::sin(dj.a * v.y) - std::cos(dj.b * v.x),
                       std::sin(dj.c * v.x) - std::cos(dj.d * v.y), 0};
        return shown;
    };
    same &= report({"Peter de Jong, hit count", kTypeDeJong, kMethodHitCount, {}}, dejong);

    // The same polar rotation in the hand loop, its plan made once; the
    // rotation turns z into the picture.
    const Point3 angles{30, 45, 60};
    const RotationPlan plan = plan_rotation(angles, 0);
    auto turned = [&](Point3 v, Point3& shown) {
        dejong(v, shown);
        shown.z = std::sin(v.x);
        const Point3 next = shown;
        apply_rotation(plan, shown);
        return next;
    };
    same &= report({"Peter de Jong rotated, hits", kTypeDeJong, kMethodHitCount, angles}, turned);

    const TypeParams ir = catalogue[kTypeIris].pdef;
    auto iris = [&](Point3 v, Point3& shown) {
        shown = Point3{ir.sp0 * std::sin(v.x) + ir.sp1 * std::cos(v.y),
                       ir.sp0 * std::cos(v.x) + ir.sp1 * std::sin(v.y), v.z};
        return shown;
    };
    same &= report({"Iris, hit count", kTypeIris, kMethodHitCount, {}}, iris);
    if (!same) std::printf("MISMATCH: a hand loop and its kernel disagree (see above)\n");
    return same ? 0 : 1;
}
