// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/params.h"
#include "core/types.h"

namespace morv {

// A rotation prepared once for many points: the turned axes in the order they
// apply, each with its angle in radians, and what it was made from.
struct RotationPlan {
    struct Turn {
        double Point3::*sine_axis;
        double Point3::*cosine_axis;
        double radians;
    };
    int turns = 0;
    Turn turn[3]{};
    Point3 degrees{};
    int order = -1;
};

// The plan for these angles in degrees and this rotationorder; an angle of
// exactly 0 is left out.
RotationPlan plan_rotation(Point3 degrees, int order);

// Applies a plan to a point in place, exactly as rotatexyz would.
void apply_rotation(const RotationPlan& plan, Point3& point);

// The plan for the current type's angles, made afresh only when they or the
// order differ from the ones `cache` was made from.
const RotationPlan& current_rotation(const Params& ps, RotationPlan& cache);

// Rotates `xyz` by the current type's three angles in the order chosen by
// rotationorder; an axis whose angle is exactly 0 is skipped. Returns 0.
int rotatexyz(const Params& ps, Point3 xyz, Point3* xyzrotate);

// Turns the pair (pos1, pos2) in place by `radians_user` in polar form, pos1
// playing the sine axis. Returns 0.
int rotate(double* pos1, double* pos2, double radians_user);

// Whether any rotation angle of the current type is not exactly 0. Inline:
// the sine maps ask it for every point.
inline bool rotated(const Params& ps) {
    const Point3& r = ps.rot[ps.type];
    return r.x != 0 || r.y != 0 || r.z != 0;
}

} // namespace morv
