// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/hits_file.h"
#include "core/state.h"
#include "formulas/orbits.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace morv {

// What a checkpoint holds beside its part: the run's command line (with the
// clock it read as --seed) and which of the part's orbits are in its totals.
// Exact orbits under way when it was written are drawn again from their
// start on resuming, so the totals are sums of whole orbits. A --fast render
// stopped by a signal keeps its lanes' orbits under way too (version 2):
// their points so far are in the totals, and they go on from their position,
// calls, random stream and (version 3) the value their type carries into the
// next step; a lane's counters follow from its calls. Either way the resumed picture is the
// uninterrupted one, byte for byte, on any thread count and lane width.
struct CheckpointRun {
    std::vector<std::string> args;        // without the program's name
    std::vector<bool> drawn;              // by orbit - first
    std::vector<OrbitUnderWay> under_way; // --fast only
};

HitsSection encode_checkpoint(const CheckpointRun& run);

// The run a part's checkpoint section holds, checked against the part.
std::optional<std::string> decode_checkpoint(const HitsPart& part, CheckpointRun& run);

// A checkpoint read back for --resume.
struct ResumePoint {
    HitsPart part;
    CheckpointRun run;
};

// Reads and checks a checkpoint; a clear reason when it is not a sound one.
std::optional<std::string> read_checkpoint(const std::string& path, ResumePoint& point);

// The command line a checkpoint keeps: the given one, with the clock the
// orbits read added as --seed when none was given.
std::vector<std::string> checkpoint_args(std::vector<std::string> args, std::int64_t clock);

// Writes the checkpoint of a render under way: when an orbit is added and
// `every` has passed since the last one, and when asked (at a stop signal).
class CheckpointWriter {
  public:
    CheckpointWriter(std::string path, std::chrono::seconds every, std::vector<std::string> args);

    bool on() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

    // Once the orbits' shared start is taken: what every checkpoint records.
    void start(const State& base, const OrbitJob& job, int method);
    // Orbits `ks` are in `totals` now; writes when due. Failures are said
    // once and the render goes on.
    void added(const std::vector<long long>& ks, const OrbitTotals& totals);
    // Writes now; the reason on failure.
    std::optional<std::string> write(const OrbitTotals& totals);

  private:
    std::string path_;
    std::chrono::seconds every_;
    std::chrono::steady_clock::time_point last_;
    std::vector<std::string> args_;
    HitsPart head_;
    long long first_ = 0;
    std::vector<bool> drawn_;
    bool warned_ = false;
};

} // namespace morv
