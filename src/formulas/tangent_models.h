// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tangent.h"

namespace morv {

// Each type's map and its Jacobian, written out beside the formulas, for the
// measurements that follow tangent vectors (whoever measures hands it in).
// Made from the registrations (registry.cpp).
extern const TangentTable tangent_models;

namespace tangent {

// Helpers shared by the map families.
inline Jacobian plane(double xx, double xy, double yx, double yy) {
    return Jacobian{{{xx, xy, 0.0}, {yx, yy, 0.0}, {0.0, 0.0, 0.0}}};
}
// The sign the derivative of |v| takes; at 0 either side will do, the orbit
// never lands there exactly.
inline double abs_slope(double v) {
    return v < 0 ? -1.0 : 1.0;
}

VOXEL start_point(const Params& ps);

// The two-dimensional maps (tangent_maps.cpp).
VOXEL henon_map(const Params&, VOXEL);
Jacobian henon_jacobian(const Params&, VOXEL);
VOXEL ikeda_map(const Params&, VOXEL);
Jacobian ikeda_jacobian(const Params&, VOXEL);
VOXEL ganymede_map(const Params&, VOXEL);
Jacobian ganymede_jacobian(const Params&, VOXEL);
VOXEL dejong_map(const Params&, VOXEL);
Jacobian dejong_jacobian(const Params&, VOXEL);
VOXEL hpd_map(const Params&, VOXEL);
Jacobian hpd_jacobian(const Params&, VOXEL);
VOXEL feather_map(const Params&, VOXEL);
Jacobian feather_jacobian(const Params&, VOXEL);
VOXEL hopalong_map(const Params&, VOXEL);
Jacobian hopalong_jacobian(const Params&, VOXEL);
VOXEL popcorn_map(const Params&, VOXEL);
Jacobian popcorn_jacobian(const Params&, VOXEL);
VOXEL pgm_map(const Params&, VOXEL);
Jacobian pgm_jacobian(const Params&, VOXEL);
VOXEL pgm_start(const Params&);
VOXEL basin_map(const Params&, VOXEL);
Jacobian basin_jacobian(const Params&, VOXEL);
const char* basin_refusal(const Params&);

// The plane maps (tangent_planemaps.cpp).
VOXEL iris_map(const Params&, VOXEL);
Jacobian iris_jacobian(const Params&, VOXEL);
VOXEL atom_map(const Params&, VOXEL);
Jacobian atom_jacobian(const Params&, VOXEL);
VOXEL wings_map(const Params&, VOXEL);
Jacobian wings_jacobian(const Params&, VOXEL);
VOXEL medusa_map(const Params&, VOXEL);
Jacobian medusa_jacobian(const Params&, VOXEL);
VOXEL disk_map(const Params&, VOXEL);
Jacobian disk_jacobian(const Params&, VOXEL);
VOXEL star_map(const Params&, VOXEL);
Jacobian star_jacobian(const Params&, VOXEL);
VOXEL spirals_map(const Params&, VOXEL);
Jacobian spirals_jacobian(const Params&, VOXEL);
VOXEL cosinewaves_map(const Params&, VOXEL);
Jacobian cosinewaves_jacobian(const Params&, VOXEL);

// The three-dimensional maps and the flows (tangent_flows.cpp).
VOXEL pickover_map(const Params&, VOXEL);
Jacobian pickover_jacobian(const Params&, VOXEL);
VOXEL lorenz_field(const Params&, VOXEL);
Jacobian lorenz_field_jacobian(const Params&, VOXEL);
VOXEL lorenz_map(const Params&, VOXEL);
Jacobian lorenz_jacobian(const Params&, VOXEL);
VOXEL rossler_field(const Params&, VOXEL);
Jacobian rossler_field_jacobian(const Params&, VOXEL);
VOXEL rossler_map(const Params&, VOXEL);
Jacobian rossler_jacobian(const Params&, VOXEL);
VOXEL samardzija_map(const Params&, VOXEL);
Jacobian samardzija_jacobian(const Params&, VOXEL);
VOXEL samardzija_start(const Params&);
VOXEL duffing_map(const Params&, VOXEL);
Jacobian duffing_jacobian(const Params&, VOXEL);
VOXEL duffing_start(const Params&);

} // namespace tangent
} // namespace morv
