// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Many orbits of one map at once, one orbit per SIMD lane, for renders whose
// picture is the sum of K orbits. The sine and cosine come from a vector
// library whose results are the same for every vector width, and no other
// operation is fused, so an orbit's points do not depend on the width it ran
// at: the counts are the same on every machine with FMA.
#include "core/params.h"
#include "formulas/lane_types.h"

#include <optional>
#include <string>
#include <vector>

namespace morv {

// The kernel of a type and method at a width (1, 4 or 8), or null when the
// type has none or the width is not built.
LaneKernel lane_kernel(int type, int method, int width);

// The widths this processor runs, widest first; 1 (the scalar lanes) always.
std::vector<int> lane_widths();

// The coefficients and view of the current type.
LaneMap lane_map_of(const Params& ps);

// Whether the type's orbits seed their random stream from their clock at
// their first call, as its exact step does.
bool lanes_seed_from_clock(int type);

// Whether the type's lanes leave out a z that only colours (LaneDensity::sine_z).
bool lanes_leave_out_z(int type);

// Why the current type cannot run in lanes, if so.
std::optional<std::string> lane_refusal(const Params& ps);

} // namespace morv
