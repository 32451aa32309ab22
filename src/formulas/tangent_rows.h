// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The ways a type's registration writes its tangent model (registry.cpp).
#include "formulas/tangent_models.h"

namespace morv::tangent {

inline constexpr double kDuffingDt = 0.15915494309189535; // 1/(2 pi)

// A map of the plane.
constexpr TangentModel map2(Point3 (*map)(const Params&, Point3),
                            Jacobian (*jacobian)(const Params&, Point3),
                            Point3 (*start)(const Params&) = start_point) {
    return TangentModel{.dim = 2, .start = start, .map = map, .jacobian = jacobian};
}

// A flow integrated in fixed steps of dt (0 for a three-dimensional map).
constexpr TangentModel flow(int dim, double dt, Point3 (*map)(const Params&, Point3),
                            Jacobian (*jacobian)(const Params&, Point3),
                            Point3 (*start)(const Params&) = start_point) {
    return TangentModel{
        .dim = dim, .time_step = dt, .start = start, .map = map, .jacobian = jacobian};
}

// A flow with its vector field, to measure the flow apart from its steps.
constexpr TangentModel with_field(TangentModel m, Point3 (*field)(const Params&, Point3),
                                  Jacobian (*field_jacobian)(const Params&, Point3)) {
    m.field = field;
    m.field_jacobian = field_jacobian;
    return m;
}

// A type no tangent vector can follow, and why.
constexpr TangentModel uncovered(const char* why) {
    return TangentModel{.uncovered = why};
}

inline constexpr const char* kRandomBranch =
    "its next point depends on a random choice among several maps, so it has no single "
    "Jacobian";
inline constexpr const char* kGridScan =
    "it scans the plane row by row and follows no single orbit";
inline constexpr const char* kCurve = "it draws a parametric curve, not the orbit of a map";

} // namespace morv::tangent
