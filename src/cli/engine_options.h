// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morv {

// The renderer's options for several orbits, threads and renders split
// across processes or machines.
struct EngineOptions {
    long long orbits = 1;
    std::optional<int> threads;                           // the machine's core count when not given
    std::optional<std::pair<long long, long long>> range; // --orbit-range A:B
    std::string save_hits;
    std::vector<std::string> merge;
    bool merging = false;
    bool fast = false; // --fast: the orbits in vector lanes
};

// Reads argv[i] if it is one of these options, advancing i past its values.
// Returns false when argv[i] is not one of them; `err` is set on a bad value.
bool parse_engine_option(int argc, const char* const* argv, int& i, EngineOptions& out,
                         std::optional<std::string>& err);

// Checks the combination once every option is read.
std::optional<std::string> check_engine_options(const EngineOptions& o);

// Bytes the renderer will hold at once for a render of res x res pixels.
unsigned long long render_bytes(int res, const EngineOptions& o, int threads);

// The memory a render may use: MORVANE_MEMORY_LIMIT (bytes) when set, else
// what the system reports as available, and no more than the address space
// left under the process's limit (ulimit -v).
unsigned long long memory_budget();

} // namespace morv
