// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/run_calls.h"

namespace morv {

// Fused kernels of the types whose step only returns a pixel (the point maps,
// plane maps and random-branch maps) for "Speed - Points" and "Hit Count";
// empty rows for the others. Made from the registrations (registry.cpp).
extern const FusedKernelTable fused_kernels;

// Whether a type's step only ever returns a pixel for the driver to plot.
bool plots_points_only(int type);

} // namespace morv
