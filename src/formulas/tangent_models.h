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

Point3 start_point(const Params& ps);

// The two-dimensional maps (tangent_maps.cpp).
Point3 henon_map(const Params&, Point3);
Jacobian henon_jacobian(const Params&, Point3);
Point3 ikeda_map(const Params&, Point3);
Jacobian ikeda_jacobian(const Params&, Point3);
Point3 ganymede_map(const Params&, Point3);
Jacobian ganymede_jacobian(const Params&, Point3);
Point3 dejong_map(const Params&, Point3);
Jacobian dejong_jacobian(const Params&, Point3);
Point3 hpd_map(const Params&, Point3);
Jacobian hpd_jacobian(const Params&, Point3);
Point3 feather_map(const Params&, Point3);
Jacobian feather_jacobian(const Params&, Point3);
Point3 hopalong_map(const Params&, Point3);
Jacobian hopalong_jacobian(const Params&, Point3);
Point3 popcorn_map(const Params&, Point3);
Jacobian popcorn_jacobian(const Params&, Point3);
Point3 pgm_map(const Params&, Point3);
Jacobian pgm_jacobian(const Params&, Point3);
Point3 pgm_start(const Params&);
Point3 basin_map(const Params&, Point3);
Jacobian basin_jacobian(const Params&, Point3);
const char* basin_refusal(const Params&);

// The plane maps (tangent_planemaps.cpp).
Point3 iris_map(const Params&, Point3);
Jacobian iris_jacobian(const Params&, Point3);
Point3 atom_map(const Params&, Point3);
Jacobian atom_jacobian(const Params&, Point3);
Point3 wings_map(const Params&, Point3);
Jacobian wings_jacobian(const Params&, Point3);
Point3 medusa_map(const Params&, Point3);
Jacobian medusa_jacobian(const Params&, Point3);
Point3 disk_map(const Params&, Point3);
Jacobian disk_jacobian(const Params&, Point3);
Point3 star_map(const Params&, Point3);
Jacobian star_jacobian(const Params&, Point3);
Point3 spirals_map(const Params&, Point3);
Jacobian spirals_jacobian(const Params&, Point3);
Point3 cosinewaves_map(const Params&, Point3);
Jacobian cosinewaves_jacobian(const Params&, Point3);

// The three-dimensional maps and the flows (tangent_flows.cpp).
Point3 pickover_map(const Params&, Point3);
Jacobian pickover_jacobian(const Params&, Point3);
Point3 lorenz_field(const Params&, Point3);
Jacobian lorenz_field_jacobian(const Params&, Point3);
Point3 lorenz_map(const Params&, Point3);
Jacobian lorenz_jacobian(const Params&, Point3);
Point3 rossler_field(const Params&, Point3);
Jacobian rossler_field_jacobian(const Params&, Point3);
Point3 rossler_map(const Params&, Point3);
Jacobian rossler_jacobian(const Params&, Point3);
Point3 samardzija_map(const Params&, Point3);
Jacobian samardzija_jacobian(const Params&, Point3);
Point3 samardzija_start(const Params&);
Point3 duffing_map(const Params&, Point3);
Jacobian duffing_jacobian(const Params&, Point3);
Point3 duffing_start(const Params&);

} // namespace tangent
} // namespace morv
