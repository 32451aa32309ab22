// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/options.h"
#include "core/params.h"

#include <optional>
#include <string>
#include <vector>

namespace morv {

// The keys' parameter sets, each loaded as a lone render would load it (the
// file, then --type, --set and --palette); they must share one type. On
// failure the one-line message.
std::optional<std::string> load_keys(const CliOptions& o, std::vector<Params>& keys);

// Renders the animation of --animate: frames --frame-range (all by default)
// to the frame files of -o, keeping complete ones, or all frames to a video
// through ffmpeg. Returns the exit status.
int animate(const CliOptions& o);

} // namespace morv
