// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/params.h"

#include <span>

namespace morv {

// How the coefficients move between keys.
enum class Easing {
    Linear, // straight from key to key
    Spline, // a Catmull-Rom spline through all keys: smooth at the keys
};

// Key times are evenly spaced: frame 0 is the first key, frame `frames` - 1
// the last, and a frame that falls on a key is that key exactly.
// Between keys the current type's coefficients, start point, view window and
// rotation angles move (angles the short way round, kept in 0..360), and so
// do the tone curves (exposure, gamma, gamma threshold, vibrancy, contrast,
// filter width) where the keys differ in them; every other setting (whether
// the picture is toned, its oversampling, colour source, depth) is the one of
// the key the segment starts from. The keys must
// share one type. `frames` >= 1; frame in 0..frames-1.
Params interpolate_keys(std::span<const Params> keys, long long frame, long long frames,
                        Easing easing);

} // namespace morv
