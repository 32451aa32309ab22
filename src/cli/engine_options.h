// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/memory_budget.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morv {

struct ResumePoint;

// The renderer's options for several orbits, threads and renders split
// across processes or machines.
struct EngineOptions {
    long long orbits = 1;
    std::optional<int> threads;                           // the machine's core count when not given
    std::optional<std::pair<long long, long long>> range; // --orbit-range A:B
    std::string save_hits;
    std::vector<std::string> merge;
    bool merging = false;
    bool fast = false;                    // --fast: the orbits in vector lanes
    std::string checkpoint;               // --checkpoint FILE
    long long checkpoint_every = 60;      // seconds between checkpoints
    std::string resume;                   // --resume FILE
    std::string save_density;             // --save-density FILE: the density beside the picture
    std::string retone;                   // --retone FILE.png: toned again from its density
    std::vector<std::string> run_args;    // the command line a checkpoint keeps
    std::shared_ptr<ResumePoint> resumed; // what --resume read, for the render
};

// Reads argv[i] if it is one of these options, advancing i past its values.
// Returns false when argv[i] is not one of them; `err` is set on a bad value.
bool parse_engine_option(int argc, const char* const* argv, int& i, EngineOptions& out,
                         std::optional<std::string>& err);

// Checks the combination once every option is read.
std::optional<std::string> check_engine_options(const EngineOptions& o);

// Why --checkpoint cannot be used with these options, if so.
std::optional<std::string> checkpoint_refusal(const EngineOptions& o);

// The longest time between two checkpoints, in seconds (a day).
inline constexpr long long kMaxCheckpointSeconds = 86400;

// Bytes the renderer will hold at once for a render of res x res pixels.
unsigned long long render_bytes(int res, const EngineOptions& o, int threads);

} // namespace morv
