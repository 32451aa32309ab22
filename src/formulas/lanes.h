// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Many orbits of one map at once, one orbit per SIMD lane, for renders whose
// picture is the sum of K orbits. The sine and cosine come from a vector
// library whose results are the same for every vector width, and no other
// operation is fused, so an orbit's points do not depend on the width it ran
// at: the counts are the same on every machine with FMA.
#include "core/params.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morv {

inline constexpr int kMaxLanes = 8;

// A type's coefficients and view window, read once per render.
struct LaneMap {
    double a = 0, b = 0, c = 0, d = 0, sp0 = 0, sp1 = 0;
    double xmin = 0, ymin = 0, xscale = 0, yscale = 0;
    int res = 0;
};

// Up to kMaxLanes orbits run together. The first point of every orbit only
// becomes its previous point, as in a fresh image; lane l plots its steps
// 1..calls[l]-1, an idle lane (calls 0) none.
struct LaneBlock {
    double x[kMaxLanes]{}, y[kMaxLanes]{}, z[kMaxLanes]{};
    long long calls[kMaxLanes]{};
    long long made = 0; // steps every lane has made so far
};

// Advances the block's lanes by `steps` steps, adding each plotted pixel to
// `counts` (res x res): one more hit ("Hit Count") or the highest speed index
// ("Speed - Points").
using LaneKernel = void (*)(const LaneMap& map, LaneBlock& block, long long steps,
                            std::uint32_t* counts);

// The kernel of a type and method at a width (1, 4 or 8), or null when the
// type has none or the width is not built.
LaneKernel lane_kernel(int type, int method, int width);

// The widths this processor runs, widest first; 1 (the scalar lanes) always.
std::vector<int> lane_widths();

// The coefficients and view of the current type.
LaneMap lane_map_of(const Params& ps);

// Why the current type cannot run in lanes, if so.
std::optional<std::string> lane_refusal(const Params& ps);

} // namespace morv
