// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the driver on point maps against hand-written loops that
// compute the same orbit and count hits into a plain buffer. Prints figures;
// never part of the tests.
#include "core/driver.h"
#include "core/state.h"
#include "formulas/steps.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace morv {
namespace {

constexpr int kRes = 600;
constexpr long long kCalls = 2000000;

template <class F> double seconds_of(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double driver_seconds(int type, int method, Point3 angles) {
    State s;
    s.steps = &fpointer;
    s.intro = 0;
    s.type = type;
    s.method[type] = method;
    s.rot[type] = angles;
    set_resolution(s, kRes);
    return seconds_of([&] {
        for (long long i = 0; i < kCalls; ++i) {
            render_step(s);
        }
    });
}

// The hand-written baseline: the formula inline, the view mapping, a hit
// count per pixel. `turn` is applied to the point before mapping.
template <class Map, class Turn>
double loop_seconds(Point3 v, ViewWindow w, Map map, Turn turn, std::uint64_t& sink) {
    std::vector<std::uint32_t> hits(static_cast<std::size_t>(kRes) * kRes);
    const double sx = kRes / (w.xmax - w.xmin), sy = kRes / (w.ymax - w.ymin);
    const double secs = seconds_of([&] {
        for (long long i = 0; i < kCalls; ++i) {
            v = map(v);
            const Point3 q = turn(v);
            const double fx = (q.x - w.xmin) * sx, fy = (q.y - w.ymin) * sy;
            if (!(fx >= 0 && fx < kRes && fy > 0 && fy <= kRes)) continue;
            const int x = static_cast<int>(fx), y = kRes - static_cast<int>(fy) - 1;
            if (y >= 0) ++hits[static_cast<std::size_t>(y) * kRes + x];
        }
    });
    for (std::uint32_t h : hits)
        sink += h;
    return secs;
}

// A rotation matrix built once: what a hand-written loop would do.
struct Matrix {
    double m[3][3];
    Point3 operator()(Point3 p) const {
        return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
                m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
                m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
    }
};

// X, then Y, then Z, in the same sense as the engine's rotation.
Matrix xyz_matrix(Point3 deg) {
    const double k = 3.141592653589793 / 180;
    const double cx = std::cos(deg.x * k), sx = std::sin(deg.x * k);
    const double cy = std::cos(deg.y * k), sy = std::sin(deg.y * k);
    const double cz = std::cos(deg.z * k), sz = std::sin(deg.z * k);
    const Matrix rx{{{1, 0, 0}, {0, cx, sx}, {0, -sx, cx}}};
    const Matrix ry{{{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}}};
    const Matrix rz{{{cz, sz, 0}, {-sz, cz, 0}, {0, 0, 1}}};
    auto mul = [](const Matrix& a, const Matrix& b) {
        Matrix r{};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                for (int k2 = 0; k2 < 3; ++k2)
                    r.m[i][j] += a.m[i][k2] * b.m[k2][j];
        return r;
    };
    return mul(rz, mul(ry, rx));
}

void report(const char* what, double driver, double loop) {
    std::printf("%-34s driver %7.1f ns/call (%6.2f M/s)  loop %6.1f ns  ratio %.2f\n", what,
                driver * 1e9 / kCalls, kCalls / driver / 1e6, loop * 1e9 / kCalls, driver / loop);
}

} // namespace
} // namespace morv

int main() {
    using namespace morv;
    std::uint64_t sink = 0;
    const TypeParams dj = catalogue[6].pdef;
    auto dejong = [&](Point3 v) {
        return Point3{std::sin(dj.a * v.y) - std::cos(dj.b * v.x),
                      std::sin(dj.c * v.x) - std::cos(dj.d * v.y), std::sin(v.x)};
    };
    auto flat = [](Point3 v) { return v; };
    const Point3 angles{30, 45, 60};
    const Point3 dj0{dj.xstart, dj.ystart, dj.zstart};

    std::printf("%lld calls per case at res %d\n", kCalls, kRes);
    const double dj_loop = loop_seconds(dj0, catalogue[6].mmdef, dejong, flat, sink);
    report("Peter de Jong, points", driver_seconds(6, 1, {}), dj_loop);
    report("Peter de Jong, hit count", driver_seconds(6, 3, {}), dj_loop);
    const double djr_loop = loop_seconds(dj0, catalogue[6].mmdef, dejong, xyz_matrix(angles), sink);
    report("Peter de Jong rotated, points", driver_seconds(6, 1, angles), djr_loop);

    const TypeParams ir = catalogue[26].pdef;
    auto iris = [&](Point3 v) {
        return Point3{ir.sp0 * std::sin(v.x) + ir.sp1 * std::cos(v.y),
                      ir.sp0 * std::cos(v.x) + ir.sp1 * std::sin(v.y), v.z};
    };
    const double iris_loop =
        loop_seconds({ir.xstart, ir.ystart, 0}, catalogue[26].mmdef, iris, flat, sink);
    report("Iris, points", driver_seconds(26, 1, {}), iris_loop);
    report("Iris, hit count", driver_seconds(26, 3, {}), iris_loop);
    std::printf("(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
