// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lane kernels written once over a width policy M, which supplies the
// vector type V, the integer vectors Wide (64-bit) and Narrow (32-bit) of as
// many lanes, Seeds (unsigned 32-bit) for the lanes' random streams, its
// width, loads and stores, lane access, sin, cos, atan and sqrt.
// A map's step advances the lanes' points and random streams; a map that
// counts its calls (kCountsCalls) is told the call's number in the orbit,
// which every lane of a block shares, and advances the lanes' carried values
// too. A map drawn about the image centre (kCentred) gives pixel units
// itself.
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
#include <cstring>

namespace morv::lanes {

// Internal to each width's file: the same names compile to other instructions
// there, and no copy may stand in for another at link time.
namespace {

struct HenonLanes {
    template <class M, class V, class S> static void step(const LaneMap&, V& x, V& y, V&, S&) {
        const V ox = x;
        x = (y + 1.0) - 1.4 * ox * ox;
        y = 0.3 * ox;
    }
};

// De Jong and Ganymede work out z, which only colours and turns, when turned.
struct DeJongLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V& z, S&) {
        const V ox = x;
        x = M::sin(m.a * y) - M::cos(m.b * ox);
        y = M::sin(m.c * ox) - M::cos(m.d * y);
        if (m.turns > 0) z = M::sin(ox);
    }
};

struct GanymedeLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V& z, S&) {
        const V ox = x;
        x = M::sin(m.b * y) + m.c * M::sin(m.b * ox);
        y = M::sin(m.a * ox) + m.d * M::sin(m.a * y);
        if (m.turns > 0) z = M::sin(ox);
    }
};

struct PickoverLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V& z, S&) {
        const V ox = x;
        x = M::sin(m.a * y) - z * M::cos(m.b * ox);
        y = z * M::sin(m.c * ox) - M::cos(m.d * y);
        z = M::sin(ox);
    }
};

struct IrisLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V&, S&) {
        const V sx = M::sin(x), cx = M::cos(x), sy = M::sin(y), cy = M::cos(y);
        x = m.sp0 * sx + m.sp1 * cy;
        y = m.sp0 * cx + m.sp1 * sy;
    }
};

struct AtomLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V&, S&) {
        const double k4 = 4 * m.sp0;
        const V sy = M::sin(y), cy = M::cos(y), cx = M::cos(x);
        const V ox = x;
        x = ox * sy + k4 * cy;
        y = y * cx + k4 * sy;
    }
};

struct IkedaLanes {
    template <class M, class V, class S> static void step(const LaneMap&, V& x, V& y, V&, S&) {
        constexpr double rho = 1.0, c1 = 0.4, c2 = 0.9, c3 = 6.0;
        const V t = c1 - c3 / (1.0 + x * x + y * y);
        const V cost = M::cos(t), sint = M::sin(t);
        const V ox = x;
        x = rho + c2 * (ox * cost - y * sint);
        y = c2 * (ox * sint + y * cost);
    }
};

// |v| in every lane.
template <class M> inline typename M::V abs_of(typename M::V v) {
    if constexpr (M::kWidth == 1) {
        return std::fabs(v);
    } else {
        using Wide = typename M::Wide;
        const Wide magnitude = Wide{} + 0x7FFFFFFFFFFFFFFFLL;
        return reinterpret_cast<typename M::V>(reinterpret_cast<Wide>(v) & magnitude);
    }
}

// a where `v > 0`, else b, in every lane (a NaN takes b).
template <class M>
inline typename M::V if_positive(typename M::V v, typename M::V a, typename M::V b) {
    if constexpr (M::kWidth == 1) {
        return v > 0 ? a : b;
    } else {
        using Wide = typename M::Wide;
        const Wide pick = v > 0.0;
        return reinterpret_cast<typename M::V>((reinterpret_cast<Wide>(a) & pick) |
                                               (reinterpret_cast<Wide>(b) & ~pick));
    }
}

// a where `v == 0`, else b, in every lane.
template <class M> inline typename M::V if_zero(typename M::V v, typename M::V a, typename M::V b) {
    if constexpr (M::kWidth == 1) {
        return v == 0.0 ? a : b;
    } else {
        using Wide = typename M::Wide;
        const Wide pick = v == 0.0;
        return reinterpret_cast<typename M::V>((reinterpret_cast<Wide>(a) & pick) |
                                               (reinterpret_cast<Wide>(b) & ~pick));
    }
}

template <class V> inline V splat(double v) {
    return V{} + v;
}

struct MedusaLanes {
    template <class M, class V, class S> static void step(const LaneMap&, V& x, V& y, V&, S&) {
        constexpr double p1 = -0.438016, p2 = 0.819984, p3 = -0.381065;
        const V ox = x, oy = y;
        x = p1 * ox + oy - p2 * (ox * ox);
        y = p3 * oy - ox + p2 * (oy * oy);
    }
};

struct DiskLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V&, S&) {
        const V ox = x, oy = y, xy = ox * oy;
        const V c = M::cos(xy), sn = M::sin(xy);
        x = m.sp0 + m.sp1 * (ox * c - oy * sn);
        y = m.sp1 * (ox * sn + oy * c);
    }
};

struct StarLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V&, S&) {
        const V ox = x, oy = y, ax = abs_of<M>(ox), ay = abs_of<M>(oy);
        x = 4 * (m.a * ox + m.b * ox * (ax + ay) + m.c * ox * (ax - ay));
        y = 4 * (m.a * oy + m.b * oy * (ax + ay) + m.c * oy * (ay - ax));
    }
};

struct WingsLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V&, S&) {
        const V ox = x, oy = y;
        const V sign = if_positive<M>(ox, splat<V>(1.0), splat<V>(-1.0));
        x = ox - sign * M::sqrt(abs_of<M>(oy - m.sp1 * ox));
        y = m.sp0 * ox + oy;
    }
};

struct HopalongLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V&, S&) {
        const V ox = x;
        const V sign = if_zero<M>(ox, splat<V>(1.0), ox / abs_of<M>(ox));
        x = y - sign * M::sqrt(abs_of<M>(m.b * ox - m.c));
        y = m.a - ox;
    }
};

// Spirals' two constants are worked out once per render (LaneMap::k0, k1).
struct SpiralsLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V&, S&) {
        const V ox = x, w = ox * ox - y;
        const V nx = ox * m.k0 + w * m.k1;
        const V ny = ox * m.k1 - w * m.k0;
        // Images beyond modulus 2 are folded back towards the origin.
        const V fold =
            if_positive<M>(M::sqrt(nx * nx + ny * ny) - 2.0, splat<V>(-0.005), splat<V>(1.0));
        x = fold * nx;
        y = fold * ny;
    }
};

struct CosineWavesLanes {
    template <class M, class V, class S> static void step(const LaneMap& m, V& x, V& y, V&, S&) {
        const V ox = x;
        x = y - m.sp0 * M::cos(kPi * ox);
        y = m.sp1 * ox;
    }
};

// a where `cond`, else b, in every lane; cond is a comparison of doubles or
// of random draws.
template <class M, class C> inline typename M::V pick(C cond, typename M::V a, typename M::V b) {
    if constexpr (M::kWidth == 1) {
        return cond ? a : b;
    } else {
        using Wide = typename M::Wide;
        Wide mask;
        if constexpr (sizeof(C) == sizeof(Wide))
            mask = reinterpret_cast<Wide>(cond);
        else
            mask = __builtin_convertvector(cond, Wide);
        return reinterpret_cast<typename M::V>((reinterpret_cast<Wide>(a) & mask) |
                                               (reinterpret_cast<Wide>(b) & ~mask));
    }
}

// The renderer's random sequence in every lane, each lane a stream of its
// own: rand() (0..32767) and lrand() (0..2^31-1) as core/platform.h draws
// them.
template <class S> inline S draw(S& seed) {
    seed = seed * 214013u + 2531011u;
    return (seed >> 16) & 0x7FFFu;
}
template <class S> inline S long_draw(S& seed) {
    seed = seed * 214013u + 2531011u;
    const S hi = (seed >> 16) & 0xFFFFu;
    return (hi << 15) | draw(seed);
}

struct IkedaIfsLanes {
    template <class M, class V, class S>
    static void step(const LaneMap&, V& x, V& y, V&, S& seeds) {
        constexpr double p1 = 0.242695, p2 = 0.538835, p9 = 0.292347, p10 = -0.715191,
                         p11 = 0.404434, p12 = 0.178096;
        const auto ikeda = long_draw(seeds) % 11u > 7u;
        const V ox = x, oy = y;
        const V t = p1 - 6.0 / (1 + ox * ox + oy * oy);
        const V cost = M::cos(t), sint = M::sin(t);
        x = pick<M>(ikeda, 1 + p2 * (ox * cost - oy * sint), p10 * ox + p9 * oy + p11);
        y = pick<M>(ikeda, p2 * (ox * sint + oy * cost), -p9 * ox + p10 * oy + p12);
    }
};

struct StormJuliaLanes {
    template <class M, class V, class S>
    static void step(const LaneMap& m, V& x, V& y, V&, S& seeds) {
        const S first = draw(seeds);
        const auto heads = first > draw(seeds);
        const V u = pick<M>(heads, x - m.a, x - m.c), v = pick<M>(heads, y - m.b, y - m.d);
        const V r = M::sqrt(u * u + v * v);
        // (u + r) / 2 comes out below 0 only when u * u underflows: 0 then.
        const V sx = (u + r) * 0.5, sy = (r - u) * 0.5;
        const V nx = M::sqrt(pick<M>(sx < 0.0, splat<V>(0.0), sx));
        V ny = M::sqrt(pick<M>(sy < 0.0, splat<V>(0.0), sy));
        ny = pick<M>(v < 0.0, -ny, ny);
        const S second = draw(seeds);
        const auto flip = second > draw(seeds);
        x = pick<M>(flip, -nx, nx);
        y = pick<M>(flip, -ny, ny);
    }
};

// Like Storm Julia with one constant (sp0 + sp1 i), but the modulus of z - c
// is raised to the power 3/4 instead of 1/2.
struct FrostJuliaLanes {
    template <class M, class V, class S>
    static void step(const LaneMap& m, V& x, V& y, V&, S& seeds) {
        const V u = x - m.sp0, v = y - m.sp1;
        const V angle = M::atan(v / u);
        const V theta =
            0.5 * pick<M>(u > 0.0, angle, pick<M>(u < 0.0, angle + kPi, splat<V>(kHalfPi)));
        const V q = u * u + v * v;
        V r = M::sqrt(M::sqrt(M::sqrt(q * q * q)));
        const S first = draw(seeds);
        r = pick<M>(first > draw(seeds), -r, r);
        x = r * M::cos(theta);
        y = r * M::sin(theta);
    }
};

// rand() / 32767 (morvrandom) in every lane, from each lane's own stream.
template <class M, class S> inline typename M::V unit_draw(S& seeds) {
    const S r = draw(seeds);
    if constexpr (M::kWidth == 1)
        return static_cast<int>(r) * (1.0 / 32767.0);
    else
        return __builtin_convertvector(reinterpret_cast<typename M::Narrow>(r), typename M::V) *
               (1.0 / 32767.0);
}

// `cond` in every lane, or true in all of them when `all`.
template <class M, class C> inline C or_all(C cond, bool all) {
    if constexpr (M::kWidth == 1)
        return cond || all;
    else
        return all ? ~C{} : cond;
}

// The random streams a where `cond` (a comparison of doubles), else b.
template <class M, class C, class S> inline S pick_seeds(C cond, S a, S b) {
    if constexpr (M::kWidth == 1) {
        return cond ? a : b;
    } else {
        using Wide = typename M::Wide;
        const auto mask = reinterpret_cast<S>(
            __builtin_convertvector(reinterpret_cast<Wide>(cond), typename M::Narrow));
        return (a & mask) | (b & ~mask);
    }
}

// The types that start afresh now and then count their calls from 1 at an
// orbit's first call, the counter restarting just short of 2^32; a fresh
// start is due at every 1000th count. The count of call i is the same for
// every lane of a block.
inline bool fresh_start_due(long long i) {
    constexpr long long kCountPeriod = 4294967001LL; // the counts 0..4294967000
    return (i + 1) % kCountPeriod % 1000 == 0;
}

// Henon's area-preserving map turned by sp0 degrees (LaneMap::k0 its cosine,
// k1 its sine); a lane starts afresh in [-1, 1]^2 when a fresh start is due
// or when its orbit ran away.
struct HenonPhaseLanes {
    static constexpr bool kCountsCalls = true;
    template <class M, class V, class S>
    static void step(const LaneMap& m, V& x, V& y, V&, V&, S& seeds, long long i) {
        const auto restart = or_all<M>(x * x + y * y > 1e16, fresh_start_due(i));
        S drawn = seeds;
        const V rx = 2.0 * unit_draw<M>(drawn) - 1.0;
        const V ry = 2.0 * unit_draw<M>(drawn) - 1.0;
        seeds = pick_seeds<M>(restart, drawn, seeds);
        const V ox = pick<M>(restart, rx, x), oy = pick<M>(restart, ry, y);
        const V yminusx2 = oy - ox * ox;
        x = ox * m.k0 - yminusx2 * m.k1;
        y = ox * m.k1 + yminusx2 * m.k0;
    }
};

// The nonlinear term w worked out from x' enters the next step's x'' (the
// lanes' carried value); every lane starts afresh when a fresh start is due.
struct FeatherLanes {
    static constexpr bool kCountsCalls = true;
    template <class M, class V, class S>
    static void step(const LaneMap& m, V& x, V& y, V&, V& w, S& seeds, long long i) {
        constexpr double c = 2.96;
        if (i == 0) w = splat<V>(1.224);
        V ox = x, oy = y;
        if (fresh_start_due(i)) {
            ox = 3.0 * unit_draw<M>(seeds);
            oy = unit_draw<M>(seeds);
        }
        x = m.b * oy + w;
        const V u = x * x;
        w = m.a * x + c * u / (1.0 + u);
        y = w - ox;
    }
};

// The forced Duffing oscillator, Euler steps of 1/(2 pi) in doubles; call i
// is forced at phase i mod 628, whose cosine the map holds.
struct DuffingLanes {
    static constexpr bool kCountsCalls = true;
    template <class M, class V, class S>
    static void step(const LaneMap& m, V& x, V& y, V&, V&, S&, long long i) {
        constexpr double h = 0.15915494309189535;
        const double forcing = 0.472627 * m.forcing[static_cast<std::size_t>(i % 628)];
        const V ox = x, oy = y;
        x = ox + h * oy;
        y = oy + h * (ox - ox * ox * ox - 0.293517 * oy + forcing);
    }
};

// The Lorenz flow, drawn about the image centre at LaneMap::k0 pixels per
// unit; the view window is not used.
struct LorenzLanes {
    static constexpr bool kCentred = true;
    template <class M, class V, class S> static void step(const LaneMap&, V& x, V& y, V& z, S&) {
        constexpr double dt = 0.005, beta = 2.6666666666666665;
        const V ox = x, oy = y, oz = z;
        x = ((oy - ox) * 10.0) * dt + ox;
        y = ((28.0 - oz) * ox - oy) * dt + oy;
        z = (ox * oy - beta * oz) * dt + oz;
    }
};

template <class Map> constexpr bool counts_calls() {
    return requires {
        Map::kCountsCalls;
    };
}
template <class Map> constexpr bool centred() {
    return requires {
        Map::kCentred;
    };
}

// The colour index of "Speed - Points" from the step's length.
inline std::uint32_t speed_of(double length) {
    const auto c = static_cast<std::uint32_t>(trunc32(length * 255 * (2.0 / 3.0)));
    return c == 0 ? 1 : (c > 255 ? 255 : c);
}

// The image entry of the point at (fx, fy) in pixel units, `shift` pixels
// from the image's corner, as trunc32 and the drawing's bounds check find it,
// or `sink` when it is off the image.
inline std::uint32_t pixel_of(double fx, double fy, int res, std::int32_t shift,
                              std::uint32_t sink) {
    const std::int32_t px = wrap_add(trunc32(fx), shift);
    const std::int32_t py = wrap_sub(wrap_sub(res, wrap_add(trunc32(fy), shift)), 1);
    if (static_cast<std::uint32_t>(px) >= static_cast<std::uint32_t>(res) ||
        static_cast<std::uint32_t>(py) >= static_cast<std::uint32_t>(res))
        return sink;
    return static_cast<std::uint32_t>(py) * static_cast<std::uint32_t>(res) +
           static_cast<std::uint32_t>(px);
}

// pixel_of for every lane at once. A coordinate truncates onto the image
// exactly when it lies in (-1 - shift, res - shift), and only such
// coordinates are converted (the others are zeroed first), so the pixels are
// trunc32's.
template <class M>
inline void pixels_of(typename M::V fx, typename M::V fy, int res, std::int32_t shift,
                      std::uint32_t sink, std::uint32_t* at) {
    using V = typename M::V;
    using Wide = typename M::Wide;
    using Narrow = typename M::Narrow;
    const double low = -1.0 - shift, high = static_cast<double>(res) - shift;
    const Wide on = (fx > low) & (fx < high) & (fy > low) & (fy < high);
    const Narrow ix = shift + __builtin_convertvector(
                                  reinterpret_cast<V>(reinterpret_cast<Wide>(fx) & on), Narrow);
    const Narrow iy = shift + __builtin_convertvector(
                                  reinterpret_cast<V>(reinterpret_cast<Wide>(fy) & on), Narrow);
    const auto off = static_cast<std::int32_t>(sink);
    const Narrow entry = (res - 1 - iy) * res + ix;
    const Narrow chosen = off + ((entry - off) & __builtin_convertvector(on, Narrow));
    std::memcpy(at, &chosen, sizeof chosen);
}

// Where each lane of `v` passes `bound` (or is NaN), `bound` instead.
template <class M> inline typename M::V at_most(typename M::V v, double bound) {
    using V = typename M::V;
    using Wide = typename M::Wide;
    const Wide keep = v <= bound;
    const V top = V{} + bound;
    return reinterpret_cast<V>((reinterpret_cast<Wide>(v) & keep) |
                               (reinterpret_cast<Wide>(top) & ~keep));
}

// speed_of for every lane at once: the index is 1..255, NaN and infinity
// give 255 as trunc32's off-canvas value does.
template <class M> inline void speeds_of(typename M::V length, std::uint32_t* out) {
    using V = typename M::V;
    using Wide = typename M::Wide;
    using Narrow = typename M::Narrow;
    const V v = at_most<M>(length * 255.0 * (2.0 / 3.0), 255.0);
    const Wide low = v < 1.0;
    const V one = V{} + 1.0;
    const V lifted = reinterpret_cast<V>((reinterpret_cast<Wide>(v) & ~low) |
                                         (reinterpret_cast<Wide>(one) & low));
    const Narrow c = __builtin_convertvector(lifted, Narrow);
    std::memcpy(out, &c, sizeof c);
}

// The pixels of one step, waiting to be counted until the next step has been
// worked out: their count lines are fetched meanwhile, so that the lanes'
// cache misses overlap the arithmetic instead of stalling it. A point off
// the image, or of a lane past its calls, counts into the sink entry.
template <int Width> struct PendingPixels {
    std::uint32_t at[Width]{};
    std::uint32_t speed[Width]{};
    bool set = false;
};

template <int Method, int Width>
inline void count_pending(PendingPixels<Width>& p, std::uint32_t* counts) {
    if (!p.set) return;
    p.set = false;
    for (int l = 0; l < Width; ++l) {
        std::uint32_t& h = counts[p.at[l]];
        if constexpr (Method == kMethodHitCount)
            ++h;
        else if (p.speed[l] > h)
            h = p.speed[l];
    }
}

// The point turned as the view asks: each turn as the exact rotation turns
// it, with the angle's sine and cosine applied to the pair directly instead
// of through its polar angle.
template <class V> inline void turn_point(const LaneMap& m, V (&q)[3]) {
    for (int i = 0; i < m.turns; ++i) {
        const LaneMap::Turn& t = m.turn[i];
        const V p1 = q[t.sine_axis], p2 = q[t.cosine_axis];
        q[t.sine_axis] = p1 * t.cos + p2 * t.sin;
        q[t.cosine_axis] = p2 * t.cos - p1 * t.sin;
    }
}

// The lanes' plotted points added to the density one at a time.
template <class M>
void feed_density(const LaneDensity& d, LaneBlock& b, const std::uint32_t* at, std::uint32_t sink,
                  typename M::V x, typename M::V y, typename M::V z, typename M::V ox,
                  typename M::V oy, typename M::V oz) {
    for (int l = 0; l < M::kWidth; ++l)
        if (at[l] != sink)
            d.add(at[l], Point3{M::lane(x, l), M::lane(y, l), M::lane(z, l)},
                  Point3{M::lane(ox, l), M::lane(oy, l), M::lane(oz, l)}, b.dots[l]);
}

template <class M, class Map, int Method>
void run(const LaneMap& m, LaneBlock& b, long long steps, std::uint32_t* counts,
         const LaneDensity* density) {
    using V = typename M::V;
    constexpr int kWidth = M::kWidth;
    V x = M::load(b.x), y = M::load(b.y), z = M::load(b.z), carry = M::load(b.carry);
    typename M::Seeds seeds = M::load_seeds(b.seed);
    const int res = m.res;
    const auto sink = static_cast<std::uint32_t>(res) * static_cast<std::uint32_t>(res);
    const std::int32_t shift = centred<Map>() ? res >> 1 : 0;
    PendingPixels<kWidth> pending;
    for (long long s = 0; s < steps; ++s) {
        const V ox = x, oy = y, oz = z;
        const long long i = b.made + s;
        if constexpr (counts_calls<Map>())
            Map::template step<M>(m, x, y, z, carry, seeds, i);
        else
            Map::template step<M>(m, x, y, z, seeds);
        if (i == 0) continue; // the first point only becomes the previous one
        V fx = x, fy = y;
        if constexpr (centred<Map>()) {
            fx = x * m.k0;
            fy = y * m.k0;
        }
        if (m.turns > 0) {
            V q[3] = {fx, fy, centred<Map>() ? z * m.k0 - m.z_shift : z};
            turn_point(m, q);
            fx = q[0];
            fy = q[1];
        }
        if constexpr (!centred<Map>()) {
            fx = (fx - m.xmin) * m.xscale;
            fy = (fy - m.ymin) * m.yscale;
        }
        V square{}; // the step's squared length, for "Speed - Points"
        if constexpr (Method == kMethodSpeedPoints) {
            const V dx = x - ox, dy = y - oy;
            square = dx * dx + dy * dy;
        }
        PendingPixels<kWidth> next;
        if constexpr (kWidth == 1) {
            next.at[0] = pixel_of(fx, fy, res, shift, sink);
            if constexpr (Method == kMethodSpeedPoints) next.speed[0] = speed_of(M::sqrt(square));
        } else {
            pixels_of<M>(fx, fy, res, shift, sink, next.at);
            if constexpr (Method == kMethodSpeedPoints) speeds_of<M>(M::sqrt(square), next.speed);
        }
        for (int l = 0; l < kWidth; ++l) {
            if (i >= b.calls[l]) next.at[l] = sink;
            __builtin_prefetch(&counts[next.at[l]], 1);
        }
        if (density != nullptr) feed_density<M>(*density, b, next.at, sink, x, y, z, ox, oy, oz);
        next.set = true;
        count_pending<Method>(pending, counts);
        pending = next;
    }
    count_pending<Method>(pending, counts);
    M::store(b.x, x);
    M::store(b.y, y);
    M::store(b.z, z);
    M::store(b.carry, carry);
    M::store_seeds(b.seed, seeds);
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
    case kTypeMedusa:
        return &run<M, MedusaLanes, Method>;
    case kTypeDisk:
        return &run<M, DiskLanes, Method>;
    case kTypeStar:
        return &run<M, StarLanes, Method>;
    case kTypeWings:
        return &run<M, WingsLanes, Method>;
    case kTypeHopalong:
        return &run<M, HopalongLanes, Method>;
    case kTypeSpirals:
        return &run<M, SpiralsLanes, Method>;
    case kTypeCosineWaves:
        return &run<M, CosineWavesLanes, Method>;
    case kTypeIkedaIfs:
        return &run<M, IkedaIfsLanes, Method>;
    case kTypeStormJulia:
        return &run<M, StormJuliaLanes, Method>;
    case kTypeFrostJulia:
        return &run<M, FrostJuliaLanes, Method>;
    case kTypeHenonPhase:
        return &run<M, HenonPhaseLanes, Method>;
    case kTypeFeather:
        return &run<M, FeatherLanes, Method>;
    case kTypeDuffing:
        return &run<M, DuffingLanes, Method>;
    case kTypeLorenz:
        return &run<M, LorenzLanes, Method>;
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
