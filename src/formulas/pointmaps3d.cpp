// SPDX-License-Identifier: GPL-3.0-or-later
// The three-dimensional point maps: the Lorenz flow and three sine maps. Each
// keeps its point unscaled and unrotated; only the displayed copy is turned.
#include "core/rotation.h"
#include "core/view.h"
#include "formulas/inline_steps.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

// sigma 10, rho 28, beta 8/3, Euler step 0.005. Drawn about the image centre at
// res/70 pixels per unit, lowered by about 3/8 of the image along z so that the
// butterfly sits in the middle when turned; the view window is not used.
int lorenz(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
           int* ypos) {
    constexpr double dt = 0.005, beta = 2.6666666666666665;
    LorenzScratch& l = scratch(rc).pointmaps.lorenz;
    if (iter == 0) l.res_over_70 = ps.res * (1.0 / 70.0);
    const double x = old.x, y = old.y, z = old.z;
    next->x = ((y - x) * 10) * dt + x;
    next->y = ((28 - z) * x - y) * dt + y;
    next->z = (x * y - beta * z) * dt + z;
    const Point3 scaled{next->x * l.res_over_70, next->y * l.res_over_70,
                        next->z * l.res_over_70 - wrap_mul(3, ps.res >> 3)};
    const Point3 q = inline_steps::displayed(ps, rc, scaled);
    const int half = ps.res >> 1;
    *xpos = wrap_add(trunc32(q.x), half);
    *ypos = wrap_sub(wrap_sub(ps.res, wrap_add(trunc32(q.y), half)), 1);
    if (ps.speed != 0) rc.sleep_ms(ps.speed);
    return kPlot;
}

// Pickover's Ganymede: z only gives the rotation and the Z Plane colouring a
// third axis.
int ganymede(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
             int* ypos) {
    return inline_steps::ganymede(ps, rc, old, next, iter, xpos, ypos);
}

// Pickover's map, the only one of the three where z feeds back.
int pickover3d(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
               int* ypos) {
    return inline_steps::pickover3d(ps, rc, old, next, iter, xpos, ypos);
}

int dejong(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
           int* ypos) {
    return inline_steps::dejong(ps, rc, old, next, iter, xpos, ypos);
}

} // namespace morv
