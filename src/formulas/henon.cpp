// SPDX-License-Identifier: GPL-3.0-or-later
#include "formulas/inline_steps.h"
#include "formulas/steps.h"

namespace morv {

// The reference step: the classic map with its constants 1.4 and 0.3 (the
// type's a and b are not used).
int henon(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
          int* ypos) {
    return inline_steps::henon(ps, rc, old, next, iter, xpos, ypos);
}

} // namespace morv
