// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/numeric.h"
#include "formulas/scratch.h"

#include <cstddef>
#include <cstdint>

namespace morv {

// The hit-count entry of canvas pixel (x, y), or nullptr when the pixel lies
// off the canvas or the driver prepared no buffer for this resolution (the
// colouring method of the render does not use one).
inline float* hitcount_at(const Params& ps, RenderContext& rc, int x, int y) {
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(ps.res) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(ps.res))
        return nullptr;
    const std::size_t n = static_cast<std::size_t>(ps.res) * static_cast<std::size_t>(ps.res);
    if (rc.hcres != ps.res || rc.hitcount.size() != n) return nullptr;
    return &rc.hitcount[static_cast<std::size_t>(y) * static_cast<std::size_t>(ps.res) + x];
}

// (v mod 255) + 1, a palette entry 1..255. For the non-negative values the
// formulas produce this is the plain remainder; a conversion that failed
// (trunc32 gave INT32_MIN) still lands on a valid entry.
inline unsigned mod255_index(std::int32_t v) {
    return static_cast<std::uint32_t>(v) % 255u + 1u;
}

// The plane coordinate of grid column (or row) i: the first and the last
// column hit the window's edges exactly.
inline double grid_coord(const Params& ps, int i, double side, double min) {
    return i * side / (ps.res - 1) + min;
}

} // namespace morv
