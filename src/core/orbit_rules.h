// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/catalogue.h"

namespace morv {

// What a driver call does to its orbit after each step, written once for the
// one-call driver (core/driver.cpp) and the fused kernels (core/fused_kernel.h).

// Points the start-up image draws before it pauses itself; the orbit's point
// count stops there.
inline constexpr int kIntroPoints = 25000;
// The step counter the steps see as `iter` stops here; a fresh image's first
// points only become the previous pixel until then.
inline constexpr int kSettlingSteps = 100;

// Counts one more point towards the start-up pause. True for the point at
// which the start-up image pauses itself, which ends the start-up image.
inline bool count_intro_point(int& itercount, int& intro) {
    if (itercount >= kIntroPoints) return false;
    ++itercount;
    if (intro == 0 || itercount != kIntroPoints) return false;
    intro = 0;
    return true;
}

// A transient step (result kTransient) counts towards settling.
inline void count_transient(int result, int& count) {
    if (result == kTransient && count < kSettlingSteps) ++count;
}

} // namespace morv
