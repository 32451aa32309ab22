// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <array>

namespace morv {

struct Params;

// The derivative of one step at a point: row i holds the partial derivatives
// of the new coordinate i (x, y, z) by the old x, y and z.
using Jacobian = std::array<std::array<double, 3>, 3>;

// A type's step written out as a differentiable map of its state, so that
// tangent vectors can follow an orbit. Only the first `dim` coordinates span
// the tangent space; a third coordinate beyond them is carried along (a slaved
// value or a forcing phase) and never differentiated.
struct TangentModel {
    int dim = 0;                     // 2 or 3; 0 when the type is not a differentiable map
    double time_step = 0.0;          // a flow's fixed integration step; 0 for a map
    const char* uncovered = nullptr; // why the type is not covered (dim 0)
    Point3 (*start)(const Params&) = nullptr;
    Point3 (*map)(const Params&, Point3) = nullptr;
    Jacobian (*jacobian)(const Params&, Point3) = nullptr;
    // A flow's vector field and its derivative, for measuring the flow itself
    // apart from the fixed steps that draw it; nullptr for a map.
    Point3 (*field)(const Params&, Point3) = nullptr;
    Jacobian (*field_jacobian)(const Params&, Point3) = nullptr;
    // Why this parameter set cannot be measured although the type is
    // covered; nullptr when it can. May itself be nullptr.
    const char* (*refusal)(const Params&) = nullptr;
};

// By type id, like the step table: whoever measures hands it in.
using TangentTable = std::array<TangentModel, NTYPES>;

} // namespace morv
