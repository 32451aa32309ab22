// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/rotation.h"

#include <cstdint>

namespace morv {

// Henon phase diagram: calls since the render started and the rotation angle
// read at its start.
struct HpdScratch {
    std::uint32_t iterations = 0;
    double rad = 0, cosa = 0, sina = 0;
};

// Feather: calls since the render started, and the nonlinear term carried
// from one step into the next.
struct FeatherScratch {
    std::uint32_t iterations = 0;
    double w = 0;
};

// Duffing: the forcing-phase counter, 0..627.
struct DuffingScratch {
    double a = 0;
};

// Lorenz: model units to pixels, fixed at the start of a render.
struct LorenzScratch {
    double res_over_70 = 0;
};

// Spirals: the rotation-and-scale pair, fixed at the start of a run.
struct SpiralsScratch {
    double p3 = 0, p4 = 0;
};

// What the step functions of the two- and three-dimensional point maps, plane
// maps and random-branch maps keep between calls of one render. Reset by each
// step function when it is called with iter 0.
struct PointMapScratch {
    HpdScratch hpd;
    FeatherScratch feather;
    DuffingScratch duffing;
    LorenzScratch lorenz;
    SpiralsScratch spirals;
    // The view's rotation, kept while the angles stay the same.
    RotationPlan rotation;
};

} // namespace morv
