// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/lyapunov.h"
#include "analysis/steered_search.h"
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
    // Drawn by the steered search: its own measures of the set beside the
    // screening estimate.
    bool steered = false;
    double largest_exponent = 0; // nats per step
    double kaplan_yorke = 0;
    Surface thumbnail{0, 0};
};

struct GallerySettings {
    int count = 9;                 // 9 or 16 thumbnails
    int side = 200;                // thumbnail side in pixels
    long long iterations = 100000; // driver calls per thumbnail
    SearchSteering steering;       // nothing set: the random search's own rule
};

// The picture of `ps` drawn without a window at `side` x `side` for
// `iterations` driver calls, the waits skipped and the clock fixed at
// `clock`; an empty surface when the canvas cannot be had.
Surface render_small(const Params& ps, const StepTable& steps, std::int64_t clock, int side,
                     long long iterations);

// Draws `settings.count` candidates of the random search from `current`,
// candidate i searched with the clock at `clock` + i, each screened by the
// search's own rule or, when `settings.steering` sets anything, by the
// steered search, and renders their thumbnails, on up to `threads` threads.
std::vector<GalleryCandidate> draw_gallery(const Params& current, const StepTable& steps,
                                           std::int64_t clock, const GallerySettings& settings,
                                           unsigned threads);

// The candidate's coefficients replace the current type's, as an accepted F5
// set does: its measurement is kept and the image starts afresh.
void adopt_candidate(Instance& s, const GalleryCandidate& c);

} // namespace morv::app
