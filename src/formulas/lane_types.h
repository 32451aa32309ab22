// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a lane kernel reads and advances (formulas/lanes.h).
#include "core/density_sums.h"
#include "core/types.h"

#include <cstdint>
#include <vector>

namespace morv {

inline constexpr int kMaxLanes = 8;

// A type's coefficients and view window, read once per render.
struct LaneMap {
    double a = 0, b = 0, c = 0, d = 0, sp0 = 0, sp1 = 0;
    double k0 = 0, k1 = 0; // constants a type works out from them once
    // The cosine of a forcing phase, by the phase (Duffing's 628 steps of 0.01).
    std::vector<double> forcing;
    // The view's turns, for the types that draw their points turned: each
    // turns a pair of coordinates (0 x, 1 y, 2 z) by an angle, in order.
    struct Turn {
        int sine_axis = 0, cosine_axis = 0;
        double sin = 0, cos = 1;
    };
    int turns = 0;
    Turn turn[3]{};
    double z_shift = 0; // what a type drawn about the centre lowers z by, in pixels
    double xmin = 0, ymin = 0, xscale = 0, yscale = 0;
    int res = 0;
};

// Up to kMaxLanes orbits run together. The first point of every orbit only
// becomes its previous point, as in a fresh image; lane l plots its steps
// 1..calls[l]-1, an idle lane (calls 0) none.
struct LaneBlock {
    double x[kMaxLanes]{}, y[kMaxLanes]{}, z[kMaxLanes]{};
    long long calls[kMaxLanes]{};
    std::uint32_t seed[kMaxLanes]{}; // each lane's random stream
    // What a type carries from one step into the next besides the point
    // (Feather's nonlinear term); the counters a type keeps are the block's
    // `made`, which every lane shares.
    double carry[kMaxLanes]{};
    // The points each lane added to a toned render's density so far.
    std::uint64_t dots[kMaxLanes]{};
    long long made = 0; // steps every lane has made so far
};

// The density of a toned render, fed by the lanes beside their counts: each
// point plotted on the image adds its colour to its cell as whole numbers of
// steps, which add up alike in any order. Points are coloured one at a time
// with the exact colouring, so the sums do not depend on the width either.
struct LaneDensity {
    const Params* params = nullptr;
    const Density* colors = nullptr; // the palette and the colour source
    SumCell* cells = nullptr;        // res x res
    int frac_bits = 0;
    // The lanes of de Jong and Ganymede leave out z, which only colours:
    // sin of the previous x.
    bool sine_z = false;

    // Point v, reached from oldv, at image entry `at`; `dots` is its lane's.
    void add(std::uint32_t at, Point3 v, const Point3& oldv, std::uint64_t& dots) const;
};

// Advances the block's lanes by `steps` steps, adding each plotted pixel to
// `counts` (res x res and a last entry for the points off the image, which
// is not part of the picture): one more hit ("Hit Count") or the highest speed index
// ("Speed - Points"); and to `density` when one is fed.
using LaneKernel = void (*)(const LaneMap& map, LaneBlock& block, long long steps,
                            std::uint32_t* counts, const LaneDensity* density);

} // namespace morv
