// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/keyframes.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morv {

// Keyframe animation: the keys, the frames and which of them to render.
struct AnimationOptions {
    std::vector<std::string> keys;                        // --animate KEY1 KEY2 ...
    long long frames = 0;                                 // --frames N
    std::optional<std::pair<long long, long long>> range; // --frame-range A:B
    Easing easing = Easing::Linear;                       // --interpolate linear|spline
    long long fps = 25;                                   // --fps, for a video
};

// The exploring additions of the renderer: animation and the random gallery.
struct ExploreOptions {
    AnimationOptions animation;
    long long gallery = 0; // --gallery N: a contact sheet of N random candidates

    bool animating() const { return !animation.keys.empty(); }
};

// Reads argv[i] if it is one of these options, advancing i past its values.
// Returns false when argv[i] is not one of them; `err` is set on a bad value.
bool parse_explore_option(int argc, const char* const* argv, int& i, ExploreOptions& out,
                          std::optional<std::string>& err);

// Checks the combination once every option is read: `random` and `output`
// are those of the whole command line.
std::optional<std::string> check_explore_options(const ExploreOptions& o, bool random,
                                                 const std::string& output);

} // namespace morv
