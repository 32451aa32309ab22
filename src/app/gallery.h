// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/lyapunov.h"
#include "core/catalogue.h"
#include "core/params.h"
#include "core/surface.h"

#include <cstdint>
#include <vector>

namespace morv::app {

struct Instance;

// One candidate of the random gallery: the parameter set the search accepted,
// its measurement and its thumbnail. `found` is false when the search
// accepted none among its candidates.
struct GalleryCandidate {
    Params params;
    ChaosMeasure measure{};
    bool found = false;
    Surface thumbnail{0, 0};
};

struct GallerySettings {
    int count = 9;                 // 9 or 16 thumbnails
    int side = 200;                // thumbnail side in pixels
    long long iterations = 100000; // driver calls per thumbnail
};

// Draws `settings.count` candidates of the random search from `current`,
// candidate i searched with the clock at `clock` + i, each screened by the
// search's own rule, and renders their thumbnails, on up to `threads` threads.
std::vector<GalleryCandidate> draw_gallery(const Params& current, const StepTable& steps,
                                           std::int64_t clock, const GallerySettings& settings,
                                           unsigned threads);

// The candidate's coefficients replace the current type's, as an accepted F5
// set does: its measurement is kept and the image starts afresh.
void adopt_candidate(Instance& s, const GalleryCandidate& c);

} // namespace morv::app
