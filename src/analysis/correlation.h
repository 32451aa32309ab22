// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

namespace morv {

using OrbitPoint = std::array<double, 3>;

// The correlation dimension of a set of points (Grassberger and Procaccia):
// the slope of log C(r) against log r, C(r) being the share of point pairs
// closer than r, over the scaling region where that slope is steadiest.
struct CorrelationDimension {
    double value = 0.0;
    double error = 0.0;               // the slope's standard error over the region
    double r_low = 0.0, r_high = 0.0; // the scaling region
    long long pairs = 0;              // pairs counted within the largest radius
    std::string failure;              // empty on success
};

// Pairs whose indices differ by `theiler` or less are left out: on a flow's
// orbit they are neighbours in time, not in the attractor. Only the first
// `dim` coordinates count. Neighbours are found on a grid of cells as wide as
// the largest radius, 1/64 of the set's extent (1/16 in space), so the cost grows with the
// pairs within it rather than with all pairs.
CorrelationDimension correlation_dimension(const std::vector<OrbitPoint>& points, int dim,
                                           int theiler);

} // namespace morv
