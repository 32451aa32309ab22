// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/engine_options.h"
#include "cli/hits_density.h"
#include "core/state.h"

#include <optional>
#include <string>

namespace morv {

// What a render did, for the summary line.
struct RenderDone {
    long long calls = 0;
    bool image = true;         // false when only the hit counts were written
    bool interrupted = false;  // a stop signal cut the drawing short
    bool checkpointed = false; // and the orbits drawn so far were kept
};

// Refuses, before anything large is allocated, a render that needs more
// memory than the budget (which the driver then also keeps to).
std::optional<std::string> check_memory(State& s, int res, const EngineOptions& o);

// The threads to use: --threads, or the machine's cores.
int thread_count(const EngineOptions& o);

enum class RenderFailure { Usage, Memory, Write };

// Makes the driver calls of a render on a prepared state: one orbit through
// the fused kernels, or several orbits on threads with their totals painted
// (or written with --save-hits). Stops early when a stop signal arrives. The
// message on failure, and what kind of failure it was.
std::optional<std::string> render(State& s, long long iterations, const EngineOptions& o,
                                  bool progress, RenderDone& done, RenderFailure& failure);

// --merge: reads, checks and combines the parts into `s`, painted with the
// parts' palette or `palette` when given; `calls` is what the parts made
// together, `density` their summed density when they carry one.
std::optional<std::string> merge(State& s, const EngineOptions& o, const std::string* palette,
                                 long long& calls, std::optional<PartDensity>& density);

} // namespace morv
