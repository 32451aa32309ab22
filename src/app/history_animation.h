// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/keyframes.h"
#include "core/params.h"

#include <span>
#include <vector>

namespace morv::app {

struct AppState;

// How "Animate from History" previews: small frames, a few per key.
struct PreviewPlan {
    int side = 200;                 // frame side in pixels: the smallest morvane-render draws
    long long frames_per_key = 16;  // frames from one key to the next
    long long iterations = 40000;   // driver calls per frame
    Easing easing = Easing::Linear; // as morvane-render --animate by default
};

// The keys of the animation: the history's parameter sets of the current
// type in the order the user had them, the set on view among them, each
// set at the preview's side as morvane-render --res sets its keys. A set
// that moves nothing the frames interpolate (coefficients, start point,
// view, rotation, tone) from the key before it is left out.
std::vector<Params> history_keys(const Params& ps, const AppState& app, int side);

// Frames over `keys`: `frames_per_key` between each two, the last key a
// frame of its own.
long long preview_frames(std::size_t keys, const PreviewPlan& plan);

// Frame `frame`'s parameter set, interpolated over the keys as
// morvane-render --animate interpolates its frames.
Params preview_frame(std::span<const Params> keys, long long frame, const PreviewPlan& plan);

} // namespace morv::app
