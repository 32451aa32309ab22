// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fast_orbits.h"

#include "cli/workers.h"
#include "formulas/lanes.h"

#include <algorithm>
#include <limits>
#include <mutex>
#include <vector>

namespace morv {

std::optional<std::string> choose_lane_width(const char* asked, int& width) {
    const std::vector<int> widths = lane_widths();
    width = widths.front();
    if (asked == nullptr || *asked == '\0') return std::nullopt;
    const std::string text(asked);
    for (int w : {1, 4, 8})
        if (text == std::to_string(w)) {
            if (std::find(widths.begin(), widths.end(), w) == widths.end())
                return "MORVANE_LANES=" + text + ": this processor runs lanes of " +
                       std::to_string(widths.front()) + " at most";
            width = w;
            return std::nullopt;
        }
    return "MORVANE_LANES: expected 1, 4 or 8, got '" + text + "'";
}

std::optional<std::string> fast_refusal(const State& s) {
    if (auto e = lane_refusal(s)) return "--fast: " + *e;
    return std::nullopt;
}

namespace {

// Orbits first.. of the job, as many as fit `width` lanes; the idle lanes
// start at the shared start and plot nothing.
LaneBlock block_of(const OrbitJob& job, long long first, int width, const VOXEL& start) {
    LaneBlock b;
    for (int l = 0; l < width; ++l) {
        const long long k = first + l;
        const VOXEL at = k < job.end ? orbit_start(start, k, job.clock) : start;
        b.x[l] = at.x, b.y[l] = at.y, b.z[l] = at.z;
        b.calls[l] = k < job.end ? orbit_calls(job.iterations, job.orbits, k) : 0;
        // Orbit 0 too draws from a stream of its own here.
        b.seed[l] = orbit_seed(k, job.clock);
    }
    return b;
}

// The calls the block's lanes make in its steps from..to-1.
long long calls_between(const LaneBlock& b, long long from, long long to) {
    long long n = 0;
    for (long long c : b.calls)
        n += std::max(0LL, std::min(c, to) - std::min(c, from));
    return n;
}

// A thread's counts added to the totals: summed hits, or the highest index.
void add_counts(const std::vector<std::uint32_t>& counts, OrbitTotals& totals) {
    const std::size_t n = std::min(counts.size(), totals.counts.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (totals.method == kMethodHitCount)
            totals.counts[i] += counts[i];
        else
            totals.counts[i] = std::max<std::uint64_t>(totals.counts[i], counts[i]);
    }
}

// One thread's share: blocks taken in turn, drawn into counts of its own
// that are added to the totals at the end, and before a slice after which a
// pixel could pass 2^32 - 1.
void draw_blocks(const Params& params, const OrbitJob& job, int width, const VOXEL& start,
                 SharedWork& work, OrbitTotals& totals,
                 const std::function<void(long long)>* progress) {
    constexpr long long kSlice = 1 << 16; // steps between looks at the stop signal
    const LaneKernel kernel = lane_kernel(params.type, totals.method, width);
    const LaneMap map = lane_map_of(params);
    std::vector<std::uint32_t> counts;
    long long held = 0; // calls in counts since they were last added
    auto flush = [&] {
        const std::lock_guard<std::mutex> lock(work.merge);
        add_counts(counts, totals);
        std::fill(counts.begin(), counts.end(), 0u);
        held = 0;
    };
    const long long blocks = (job.end - job.first + width - 1) / width;
    for (long long i; !work.stopping() && (i = work.next.fetch_add(1)) < blocks;) {
        LaneBlock b = block_of(job, job.first + i * width, width, start);
        if (counts.empty()) counts.assign(totals.counts.size() + 1, 0u); // and the sink
        const long long longest = *std::max_element(b.calls, b.calls + width);
        while (b.made < longest) {
            if (work.stopping()) return;
            const long long from = b.made, step = std::min(kSlice, longest - from);
            const long long calls = calls_between(b, from, from + step);
            if (held + calls > std::numeric_limits<std::uint32_t>::max()) flush();
            kernel(map, b, step, counts.data());
            held += calls;
            work.done += calls;
            if (progress != nullptr && *progress) (*progress)(work.done.load());
        }
    }
    if (held > 0) flush();
}

} // namespace

long long render_fast_orbits(State& base, const OrbitJob& job, int width, OrbitTotals& totals,
                             const std::function<void(long long)>& progress) {
    totals.method = base.method[base.type];
    const VOXEL start = orbits_start(base, job.iterations);
    const Params& params = base;
    SharedWork work;
    const long long blocks = (job.end - job.first + width - 1) / width;
    const auto threads = static_cast<int>(std::min<long long>(job.threads, blocks));
    return run_workers(work, threads, [&](bool reporter) {
        draw_blocks(params, job, width, start, work, totals, reporter ? &progress : nullptr);
    });
}

} // namespace morv
