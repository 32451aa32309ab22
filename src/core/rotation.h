#pragma once

#include "core/types.h"

namespace morv {

struct Params;

// Rotates `xyz` by the current type's three angles in the order chosen by
// rotationorder; an axis whose angle is exactly 0 is skipped. Returns 0.
int rotatexyz(const Params& s, VOXEL xyz, VOXEL* xyzrotate);

// Turns the pair (pos1, pos2) in place by `radians_user` in polar form, pos1
// playing the sine axis. Returns 0.
int rotate(double* pos1, double* pos2, double radians_user);

// Whether any rotation angle of the current type is not exactly 0.
bool rotated(const Params& s);

} // namespace morv
