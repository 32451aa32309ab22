// Fused render kernels beside the one-call driver and a hand-written loop of
// the same map, view mapping and colouring, measured in one run in processor
// time (comparable on a busy machine). Prints figures; never part of the tests.
#include "core/driver.h"
#include "core/rotation.h"
#include "core/run_calls.h"
#include "core/state.h"
#include "formulas/kernels.h"
#include "formulas/steps.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
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

State prepared(int type, int method, VOXEL angles) {
    State s;
    s.steps = &fpointer;
    s.intro = 0;
    s.type = type;
    s.method[type] = method;
    s.rot[type] = angles;
    set_resolution(s, kRes);
    fractaldriver(s); // the fresh start
    return s;
}

double fused_rate(int type, int method, VOXEL angles) {
    State s = prepared(type, method, angles);
    return rate_of([&] { run_calls(s, kCalls, &fused_kernels); });
}

double driver_rate(int type, int method, VOXEL angles) {
    State s = prepared(type, method, angles);
    return rate_of([&] {
        for (long long i = 0; i < kCalls; ++i)
            fractaldriver(s);
    });
}

// The hand-written loop: the map inline, the view mapping, a float hit count
// and a pixel per hit as the method colours it.
template <class Map> double hand_rate(VOXEL v, MINMAX w, int method, Map map, std::uint64_t& sink) {
    const Palette& pal = defpal1;
    std::vector<float> hits(static_cast<std::size_t>(kRes) * kRes);
    std::vector<std::uint32_t> px(hits.size());
    const double sx = kRes / (w.xmax - w.xmin), sy = kRes / (w.ymax - w.ymin);
    unsigned hitmax = 0;
    const double rate = rate_of([&] {
        for (long long i = 0; i < kCalls; ++i) {
            const VOXEL old = v;
            VOXEL shown;
            v = map(v, shown);
            const double fx = (shown.x - w.xmin) * sx, fy = (shown.y - w.ymin) * sy;
            if (!(fx >= 0 && fx < kRes && fy > 0 && fy <= kRes)) continue;
            const int x = static_cast<int>(fx), y = kRes - static_cast<int>(fy) - 1;
            if (y < 0) continue;
            const std::size_t at = static_cast<std::size_t>(y) * kRes + x;
            unsigned c;
            if (method == kMethodHitCount) {
                c = static_cast<unsigned>(hits[at]) + 1;
                hits[at] += 1.0f;
            } else {
                const double dx = v.x - old.x, dy = v.y - old.y;
                c = static_cast<unsigned>(std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0));
                c = c == 0 ? 1 : (c > 255 ? 255 : c);
                if (c <= static_cast<unsigned>(hits[at])) continue;
                hits[at] = static_cast<float>(c);
            }
            if (c > hitmax) hitmax = c;
            const unsigned k = c < 255 ? c : 255;
            px[at] = 0xFF000000u | (pal[k][0] << 16) | (pal[k][1] << 8) | pal[k][2];
        }
    });
    sink += hitmax + px[px.size() / 2];
    return rate;
}

void report(const char* what, double fused, double driver, double hand) {
    std::printf("%-30s %9.2f %9.2f %9.2f %6.2f %6.2f\n", what, fused / 1e6, driver / 1e6,
                hand / 1e6, fused / hand, driver / hand);
}

} // namespace
} // namespace morv

int main() {
    using namespace morv;
    std::uint64_t sink = 0;
    std::printf("%lld calls per case at res %d, M calls per processor second\n", kCalls, kRes);
    std::printf("%-30s %9s %9s %9s %6s %6s\n", "case", "fused", "driver", "hand", "f/h", "d/h");

    const PARAM hp = catalogue[kTypeHenon].pdef;
    auto henon = [](VOXEL v, VOXEL& shown) {
        shown = VOXEL{(v.y + 1.0) - 1.4 * v.x * v.x, 0.3 * v.x, 0};
        return shown;
    };
    for (int m : {kMethodSpeedPoints, kMethodHitCount})
        report(m == kMethodHitCount ? "Henon, hit count" : "Henon, speed points",
               fused_rate(kTypeHenon, m, {}), driver_rate(kTypeHenon, m, {}),
               hand_rate({hp.xstart, hp.ystart, 0}, catalogue[kTypeHenon].mmdef, m, henon, sink));

    const PARAM dj = catalogue[kTypeDeJong].pdef;
    auto dejong = [&](VOXEL v, VOXEL& shown) {
        shown = VOXEL{std::sin(dj.a * v.y) - std::cos(dj.b * v.x),
                      std::sin(dj.c * v.x) - std::cos(dj.d * v.y), std::sin(v.x)};
        return shown;
    };
    const VOXEL dj0{dj.xstart, dj.ystart, dj.zstart};
    const MINMAX djw = catalogue[kTypeDeJong].mmdef;
    report("Peter de Jong, hit count", fused_rate(kTypeDeJong, kMethodHitCount, {}),
           driver_rate(kTypeDeJong, kMethodHitCount, {}),
           hand_rate(dj0, djw, kMethodHitCount, dejong, sink));

    // The same polar rotation in the hand loop, its plan made once.
    const VOXEL angles{30, 45, 60};
    const RotationPlan plan = plan_rotation(angles, 0);
    auto turned = [&](VOXEL v, VOXEL& shown) {
        const VOXEL next = dejong(v, shown);
        apply_rotation(plan, shown);
        return next;
    };
    report("Peter de Jong rotated, hits", fused_rate(kTypeDeJong, kMethodHitCount, angles),
           driver_rate(kTypeDeJong, kMethodHitCount, angles),
           hand_rate(dj0, djw, kMethodHitCount, turned, sink));

    const PARAM ir = catalogue[kTypeIris].pdef;
    auto iris = [&](VOXEL v, VOXEL& shown) {
        shown = VOXEL{ir.sp0 * std::sin(v.x) + ir.sp1 * std::cos(v.y),
                      ir.sp0 * std::cos(v.x) + ir.sp1 * std::sin(v.y), v.z};
        return shown;
    };
    report("Iris, hit count", fused_rate(kTypeIris, kMethodHitCount, {}),
           driver_rate(kTypeIris, kMethodHitCount, {}),
           hand_rate({ir.xstart, ir.ystart, 0}, catalogue[kTypeIris].mmdef, kMethodHitCount, iris,
                     sink));
    std::printf("(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
