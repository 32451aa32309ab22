// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/density.h"

#include <span>
#include <vector>

namespace morv {

// One pixel of a density brought to the output size: its (weighted) hit
// count and linear-light colour sum.
struct ToneCell {
    double n = 0, r = 0, g = 0, b = 0;
    bool operator==(const ToneCell&) const = default;
};

// A density at the output size, what tone mapping reads.
struct FilteredDensity {
    int side = 0;
    std::vector<ToneCell> cells;
    double nmax = 0; // the largest count
};

// How S x S samples become one output pixel.
struct ReconstructionFilter {
    int oversample = 1; // S, 1..4
    // The Gaussian's support, in output pixels across (its standard
    // deviation a sixth of that); 1..8.
    double width = 3.0;
    bool operator==(const ReconstructionFilter&) const = default;
};

// Brings the side x side samples of `cells` down to (side / S) pixels with
// the Gaussian: a sample's weight falls with its distance from the pixel's
// centre, and the weights of a whole pixel add up to S x S, so a count per
// sample of c gives S x S x c per pixel as summing would. Samples beyond the
// edge count as empty. With S = 1 every pixel is its sample, exactly. False
// when the memory cannot be had (`out` then empty).
bool downsample(std::span<const DensityCell> cells, int side, const ReconstructionFilter& filter,
                FilteredDensity& out, unsigned threads = 1);

} // namespace morv
