// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/density.h"

#include <cstdint>
#include <span>
#include <vector>

namespace morv {

// One sample of densities added together: the hits, and each colour channel's
// sum as a whole number of 2^-frac_bits steps. Whole numbers add up to the same
// total in any order, so orbits drawn on any thread, or in parts on other
// machines, sum to the same density bit for bit; doubles would not.
struct SumCell {
    std::uint64_t n = 0, r = 0, g = 0, b = 0;
    bool operator==(const SumCell&) const = default;
};

struct DensitySums {
    int frac_bits = 0;
    std::vector<SumCell> cells;
};

// The finest steps that keep the sums of a render of `iterations` calls below
// 2^63 whatever its orbits: every hit adds at most 1 per channel.
int color_fraction_bits(std::uint64_t iterations);

// Adds one orbit's density (cells of the same grid). Each channel's sum is held
// to 0..n, then rounded to the nearest step: a sample's sum never exceeds its
// hits times 2^frac_bits.
void add_density(const std::vector<DensityCell>& orbit, DensitySums& sums);

// Adds one hit of colour c, each channel held to 0..1 and rounded to the
// nearest step on its own, so that hits add up alike in any order.
void add_hit(SumCell& cell, const LinearRGB& c, int frac_bits);

// The sums as the doubles a density holds (throws std::bad_alloc).
std::vector<DensityCell> density_cells(std::span<const SumCell> cells, int frac_bits);
// The same into `out`, whose memory is reused when it has room.
void density_cells_into(std::span<const SumCell> cells, int frac_bits,
                        std::vector<DensityCell>& out);

} // namespace morv
