// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/render_run.h"

#include "cli/checkpoint.h"
#include "cli/hits_file.h"
#include "cli/interrupt.h"
#include "cli/progress.h"
#include "cli/session.h"
#include "core/driver.h"
#include "core/run_calls.h"
#include "formulas/fast_orbits.h"
#include "formulas/kernels.h"
#include "formulas/orbits.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <new>
#include <thread>

namespace {
// The driver could not have its hit-count buffer.
constexpr const char* kHitcountAllocText =
    "Not enough memory to allocate hit count buffer.\nFree up more system memory, or\n   set a "
    "smaller image resolution.";
} // namespace

namespace morv {

namespace {

std::string mib(unsigned long long bytes) {
    return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB";
}

// One orbit, as the driver draws it; false when the hit-count buffer could
// not be had.
bool render_one(State& s, long long iterations, Progress& progress, long long& calls) {
    calls = 0;
    constexpr long long kSlice = 1 << 16;
    while (calls < iterations && stop_signal() == 0) {
        const RunOutcome out = run_calls(s, std::min(kSlice, iterations - calls), &fused_kernels);
        calls += out.calls;
        // A pause is resumed at once.
        if (out.last == Outcome::NoMemory) return false;
        if (out.last == Outcome::Complete) break;
        progress.update(calls);
    }
    return true;
}

} // namespace

int thread_count(const EngineOptions& o) {
    if (o.threads) return *o.threads;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::optional<std::string> check_memory(State& s, int res, const EngineOptions& o) {
    const unsigned long long budget = memory_budget();
    s.platform.max_alloc_bytes =
        static_cast<std::size_t>(std::min<unsigned long long>(budget, SIZE_MAX));
    const unsigned long long need = render_bytes(res, o, thread_count(o));
    if (need <= budget) return std::nullopt;
    return "a " + std::to_string(res) + " x " + std::to_string(res) + " render needs " + mib(need) +
           " of memory but only " + mib(budget) +
           " can be had; choose a smaller --res or fewer --threads";
}

namespace {

OrbitJob job_of(const State& s, long long iterations, const EngineOptions& o) {
    OrbitJob job;
    job.orbits = o.orbits;
    job.first = o.range ? o.range->first : 0;
    job.end = o.range ? o.range->second : o.orbits;
    job.threads = thread_count(o);
    job.iterations = iterations;
    job.clock = s.platform.now_seconds();
    job.stop = [] { return stop_signal() != 0; };
    return job;
}

// Why a resumed render cannot go on from its checkpoint, if so: the state
// its options set up (the shared start taken) must be the one it was drawn from.
std::optional<std::string> resume_refusal(const State& s, const OrbitJob& job, int method,
                                          const HitsPart& was) {
    if (static_cast<long long>(was.first) != job.first ||
        static_cast<long long>(was.end) != job.end ||
        part_header(s, job, job.clock, method).params_hash != was.params_hash)
        return std::string("--resume: the checkpoint was drawn from other parameters, palette or "
                           "options than its options give now (a parameter or palette file "
                           "changed?)");
    return std::nullopt;
}

// The density of a part: the orbits' summed samples, how they were
// accumulated and the tone curve asked for; none when not toning.
std::optional<PartDensity> part_density_of(const State& s, DensitySums sums) {
    if (sums.cells.empty()) return std::nullopt;
    PartDensity d;
    d.frac_bits = sums.frac_bits;
    d.index_span = s.density.settings().index_span;
    d.picture = s.picture;
    d.cells = std::move(sums.cells);
    return d;
}

// Several orbits, or a part: the totals painted, or written whole with
// --save-hits (never a part cut short by a stop signal); with --checkpoint,
// the orbits drawn so far are kept now and then and at a stop signal.
std::optional<std::string> render_several(State& s, long long iterations, const EngineOptions& o,
                                          bool progress_wanted, RenderDone& done,
                                          RenderFailure& failure) {
    failure = RenderFailure::Usage;
    if (o.orbits > 1)
        if (auto e = orbits_refusal(s)) return "--orbits: " + *e;
    if (auto e = orbit_count_refusal(o.orbits, iterations, s.res)) return e;
    int width = 1;
    if (o.fast) {
        if (auto e = fast_refusal(s)) return e;
        if (auto e = choose_lane_width(std::getenv("MORVANE_LANES"), width)) return e;
    }
    failure = RenderFailure::Memory;
    OrbitJob job = job_of(s, iterations, o);
    long long mine = 0;
    for (long long k = job.first; k < job.end && mine < iterations; ++k)
        mine += orbit_calls(iterations, job.orbits, k);
    Progress part_progress(progress_wanted && mine >= 2000000, mine);
    OrbitTotals totals;
    totals.method = s.method[s.type];
    CheckpointWriter checkpoint(o.checkpoint, std::chrono::seconds(o.checkpoint_every), o.run_args);
    std::optional<std::string> refusal;
    job.ready = [&] {
        if (o.resumed) refusal = resume_refusal(s, job, totals.method, o.resumed->part);
        if (refusal) return false;
        if (checkpoint.on()) checkpoint.start(s, job, totals.method);
        return true;
    };
    job.added = [&](const std::vector<long long>& ks) { checkpoint.added(ks, totals); };
    if (o.resumed && !o.fast && !o.resumed->run.under_way.empty())
        return std::string("--resume: the checkpoint holds orbits under way in vector lanes but "
                           "its options do not ask for --fast (damaged?)");
    try {
        if (o.resumed) {
            job.drawn = std::move(o.resumed->run.drawn);
            totals.counts = std::move(o.resumed->part.totals.counts);
            totals.under_way = std::move(o.resumed->run.under_way);
        } else {
            totals.counts.assign(static_cast<std::size_t>(s.res) * s.res, 0);
        }
        if (s.density.wanted()) {
            totals.density.frac_bits = color_fraction_bits(static_cast<std::uint64_t>(iterations));
            totals.density.cells.assign(static_cast<std::size_t>(s.res) * s.res, SumCell{});
        }
        const auto update = [&](long long n) { part_progress.update(n); };
        done.calls = o.fast ? render_fast_orbits(s, job, width, totals, update)
                            : render_orbits(s, job, totals, update);
    } catch (const std::bad_alloc&) {
        return std::string(kHitcountAllocText);
    }
    failure = RenderFailure::Usage;
    if (refusal) return refusal;
    done.image = o.save_hits.empty();
    done.interrupted = stop_signal() != 0;
    if (done.interrupted && checkpoint.on()) {
        failure = RenderFailure::Write;
        if (auto e = checkpoint.write(totals)) return "--checkpoint: " + *e;
        done.checkpointed = true;
    }
    if (done.interrupted) return std::nullopt;
    if (!done.image) {
        failure = RenderFailure::Write;
        std::optional<PartDensity> density = part_density_of(s, std::move(totals.density));
        HitsPart part = make_part(s, job, job.clock, std::move(totals));
        part.density = std::move(density);
        return write_part(part, o.save_hits);
    }
    paint_totals(s, totals, iterations);
    if (!totals.density.cells.empty()) {
        failure = RenderFailure::Memory;
        try {
            s.density.adopt(s.res, density_cells(totals.density.cells, totals.density.frac_bits));
        } catch (const std::bad_alloc&) {
            return std::string("not enough memory for the density of the orbits");
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> render(State& s, long long iterations, const EngineOptions& o,
                                  bool progress_wanted, RenderDone& done, RenderFailure& failure) {
    const bool several = o.orbits > 1 || o.range || !o.save_hits.empty() || o.fast || o.resumed;
    if (several) return render_several(s, iterations, o, progress_wanted, done, failure);
    failure = RenderFailure::Memory;
    Progress progress(progress_wanted && iterations >= 2000000, iterations);
    const bool had_memory = render_one(s, iterations, progress, done.calls);
    done.interrupted = stop_signal() != 0;
    if (!had_memory) return std::string(kHitcountAllocText);
    return std::nullopt;
}

std::optional<std::string> merge(State& s, const EngineOptions& o, const std::string* palette,
                                 long long& calls, std::optional<PartDensity>& density) {
    HitsPart merged;
    if (auto e = merge_parts(o.merge, merged)) return e;
    if (auto e = state_of_part(merged, s)) return e;
    if (palette != nullptr)
        if (auto e = load_palette(s, *palette)) return e;
    calls = static_cast<long long>(merged.iterations);
    paint_totals(s, merged.totals, calls);
    density = std::move(merged.density);
    return std::nullopt;
}

} // namespace morv
