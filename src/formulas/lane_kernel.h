// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lane kernels written once over a width policy M, which supplies the
// vector type V, its width, loads and stores, lane access, sin and cos.
// Included by the one file of each width, which compiles it for that width's
// instruction set. The maps repeat the operations of the exact steps in the
// same order; only sin and cos differ (a vector library instead of libm).
#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/type_ids.h"
#include "formulas/lane_types.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace morv::lanes {

// Internal to each width's file: the same names compile to other instructions
// there, and no copy may stand in for another at link time.
namespace {

struct HenonLanes {
    template <class M, class V> static void step(const LaneMap&, V& x, V& y, V&) {
        const V ox = x;
        x = (y + 1.0) - 1.4 * ox * ox;
        y = 0.3 * ox;
    }
};

struct DeJongLanes {
    template <class M, class V> static void step(const LaneMap& m, V& x, V& y, V&) {
        const V ox = x;
        x = M::sin(m.a * y) - M::cos(m.b * ox);
        y = M::sin(m.c * ox) - M::cos(m.d * y);
    }
};

struct GanymedeLanes {
    template <class M, class V> static void step(const LaneMap& m, V& x, V& y, V&) {
        const V ox = x;
        x = M::sin(m.b * y) + m.c * M::sin(m.b * ox);
        y = M::sin(m.a * ox) + m.d * M::sin(m.a * y);
    }
};

struct PickoverLanes {
    template <class M, class V> static void step(const LaneMap& m, V& x, V& y, V& z) {
        const V ox = x;
        x = M::sin(m.a * y) - z * M::cos(m.b * ox);
        y = z * M::sin(m.c * ox) - M::cos(m.d * y);
        z = M::sin(ox);
    }
};

struct IrisLanes {
    template <class M, class V> static void step(const LaneMap& m, V& x, V& y, V&) {
        const V sx = M::sin(x), cx = M::cos(x), sy = M::sin(y), cy = M::cos(y);
        x = m.sp0 * sx + m.sp1 * cy;
        y = m.sp0 * cx + m.sp1 * sy;
    }
};

struct AtomLanes {
    template <class M, class V> static void step(const LaneMap& m, V& x, V& y, V&) {
        const double k4 = 4 * m.sp0;
        const V sy = M::sin(y), cy = M::cos(y), cx = M::cos(x);
        const V ox = x;
        x = ox * sy + k4 * cy;
        y = y * cx + k4 * sy;
    }
};

struct IkedaLanes {
    template <class M, class V> static void step(const LaneMap&, V& x, V& y, V&) {
        constexpr double rho = 1.0, c1 = 0.4, c2 = 0.9, c3 = 6.0;
        const V t = c1 - c3 / (1.0 + x * x + y * y);
        const V cost = M::cos(t), sint = M::sin(t);
        const V ox = x;
        x = rho + c2 * (ox * cost - y * sint);
        y = c2 * (ox * sint + y * cost);
    }
};

// The colour index of "Speed - Points" from the step's length.
inline std::uint32_t speed_of(double length) {
    const auto c = static_cast<std::uint32_t>(trunc32(length * 255 * (2.0 / 3.0)));
    return c == 0 ? 1 : (c > 255 ? 255 : c);
}

template <class M, class Map, int Method>
void run(const LaneMap& m, LaneBlock& b, long long steps, std::uint32_t* counts) {
    using V = typename M::V;
    constexpr int kWidth = M::kWidth;
    V x = M::load(b.x), y = M::load(b.y), z = M::load(b.z);
    const int res = m.res;
    for (long long s = 0; s < steps; ++s) {
        const V ox = x, oy = y;
        Map::template step<M>(m, x, y, z);
        const long long i = b.made + s;
        if (i == 0) continue; // the first point only becomes the previous one
        const V fx = (x - m.xmin) * m.xscale;
        const V fy = (y - m.ymin) * m.yscale;
        V square{}; // the step's squared length, for "Speed - Points"
        if constexpr (Method == kMethodSpeedPoints) {
            const V dx = x - ox, dy = y - oy;
            square = dx * dx + dy * dy;
        }
        for (int l = 0; l < kWidth; ++l) {
            if (i >= b.calls[l]) continue;
            const std::int32_t px = trunc32(M::lane(fx, l));
            const std::int32_t py = wrap_sub(wrap_sub(res, trunc32(M::lane(fy, l))), 1);
            if (static_cast<std::uint32_t>(px) >= static_cast<std::uint32_t>(res) ||
                static_cast<std::uint32_t>(py) >= static_cast<std::uint32_t>(res))
                continue;
            std::uint32_t& h = counts[static_cast<std::size_t>(py) * static_cast<std::size_t>(res) +
                                      static_cast<std::size_t>(px)];
            if constexpr (Method == kMethodHitCount) {
                ++h;
            } else {
                const std::uint32_t c = speed_of(std::sqrt(M::lane(square, l)));
                if (c > h) h = c;
            }
        }
    }
    M::store(b.x, x);
    M::store(b.y, y);
    M::store(b.z, z);
    b.made += steps;
}

template <class M, int Method> LaneKernel kernel_of(int type) {
    switch (type) {
    case kTypeHenon:
        return &run<M, HenonLanes, Method>;
    case kTypeDeJong:
        return &run<M, DeJongLanes, Method>;
    case kTypeGanymede:
        return &run<M, GanymedeLanes, Method>;
    case kTypePickover:
        return &run<M, PickoverLanes, Method>;
    case kTypeIris:
        return &run<M, IrisLanes, Method>;
    case kTypeAtom:
        return &run<M, AtomLanes, Method>;
    case kTypeIkeda:
        return &run<M, IkedaLanes, Method>;
    default:
        return nullptr;
    }
}

// The kernel of a type and method for the width policy M.
template <class M> LaneKernel kernel_of(int type, int method) {
    if (method == kMethodHitCount) return kernel_of<M, kMethodHitCount>(type);
    if (method == kMethodSpeedPoints) return kernel_of<M, kMethodSpeedPoints>(type);
    return nullptr;
}

} // namespace

} // namespace morv::lanes
