// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a lane kernel reads and advances (formulas/lanes.h).
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
    long long made = 0; // steps every lane has made so far
};

// Advances the block's lanes by `steps` steps, adding each plotted pixel to
// `counts` (res x res and a last entry for the points off the image, which
// is not part of the picture): one more hit ("Hit Count") or the highest speed index
// ("Speed - Points").
using LaneKernel = void (*)(const LaneMap& map, LaneBlock& block, long long steps,
                            std::uint32_t* counts);

} // namespace morv
