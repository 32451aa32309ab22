// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/state.h"
#include "formulas/orbits.h"

#include <functional>
#include <optional>
#include <string>

namespace morv {

// The lane width a --fast render runs at: `asked` (the MORVANE_LANES
// setting: 1, 4 or 8) when given, else the widest this processor runs. The
// width never changes the picture; asking for one lets it be compared.
std::optional<std::string> choose_lane_width(const char* asked, int& width);

// Why the state cannot be drawn with --fast, if so.
std::optional<std::string> fast_refusal(const State& s);

// Draws orbits job.first..job.end-1 of `base` as render_orbits does, but
// `width` orbits at a time in vector lanes: each orbit starts where it would
// there and makes as many calls, its points from the vector library's sine
// and cosine. The totals depend on K, job.clock and the parameters only, not
// on the threads or the width. A toned render's density (totals.density not
// empty) is fed too, coloured as base's density asks; its colours are
// summed per point, so it is statistically the exact one, not the same bits. Returns the calls
// made; stops within a slice once job.stop answers true (the totals are then incomplete).
long long render_fast_orbits(State& base, const OrbitJob& job, int width, OrbitTotals& totals,
                             const std::function<void(long long)>& progress);

} // namespace morv
