// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/density_sums.h"
#include "core/state.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morv {

// Which of the K orbits of a render to draw, on how many threads.
struct OrbitJob {
    long long orbits = 1;         // K
    long long first = 0, end = 1; // orbits first..end-1
    int threads = 1;
    long long iterations = 0; // driver calls over all K orbits
    std::int64_t clock = 0;   // what "seed from the clock" reads, for all orbits
    // Orbits already in the totals (a resumed render), by k - first; not drawn again.
    std::vector<bool> drawn{};
    // Called once the shared start is taken, before any orbit is drawn; false
    // draws nothing (a resumed render whose parameters turn out different).
    std::function<bool()> ready{};
    // Called with the orbits just added to the totals together, under the
    // lock that guards them, so that it may read them whole.
    std::function<void(const std::vector<long long>&)> added{};
    // Asked between slices of calls by every thread: true stops the render
    // (the totals are then incomplete). It may wait while the render is paused.
    std::function<bool()> stop{};
};

// Per pixel: the summed hit counts ("Hit Count") or the highest colour index
// any orbit gave it ("Speed - Points"). Both are order-free, so the totals do
// not depend on which thread drew which orbit.
// With a density asked for (a toned render), each orbit's density is added
// too, as whole numbers (order-free as well); none when density.cells is empty.
//
// A stopped --fast render keeps the orbits it was drawing: each one's points
// so far are in the counts, and `under_way` holds where it goes on from.
struct OrbitUnderWay {
    long long k = 0;    // the orbit
    long long made = 0; // its calls so far (the first only became its previous point)
    double x = 0, y = 0, z = 0;
    std::uint32_t seed = 0; // its random stream
    double carry = 0;       // what its type carries into the next step (Feather's term)
    bool operator==(const OrbitUnderWay&) const = default;
};

struct OrbitTotals {
    int method = kMethodHitCount;
    std::vector<std::uint64_t> counts;
    DensitySums density;
    std::vector<OrbitUnderWay> under_way;
};

// Why the state's type and method cannot be drawn as several orbits, if so.
std::optional<std::string> orbits_refusal(const State& s);

// The most orbits a render may have at all.
inline constexpr long long kMaxOrbits = 1LL << 20;
// An orbit should make at least one call per this many pixels of the image.
inline constexpr long long kPixelsPerOrbitCall = 16;

// Why K orbits cannot share `iterations` calls at res x res, if so: each
// orbit needs at least res * res / kPixelsPerOrbitCall calls (and one), so
// that the work stays proportional to the iterations.
std::optional<std::string> orbit_count_refusal(long long orbits, long long iterations, int res);

// The driver calls orbit k of K makes: the total shared out, the first
// orbits taking one more when it does not divide.
long long orbit_calls(long long iterations, long long orbits, long long k);

// Where every orbit starts from (orbit 0 exactly, the others near it). A
// type with start sets takes its set here, once, from base's own stream, as
// the one orbit's first step would: all orbits then share its parameters,
// and the record saved afterwards holds them.
Point3 orbits_start(State& base, long long iterations);

// Where orbit k starts: orbit 0 at `start`, the others moved from it by up
// to a thousandth of its size (at least 1e-3) in each coordinate, drawn from
// `clock` and k.
Point3 orbit_start(const Point3& start, long long k, std::int64_t clock);

// The random stream of orbit k (k > 0; orbit 0 goes on with base's).
std::uint32_t orbit_seed(long long k, std::int64_t clock);

// What orbit k's clock reads: `clock` for orbit 0, a value of its own for
// the others.
std::int64_t orbit_clock(long long k, std::int64_t clock);

// Draws orbits job.first..job.end-1 of `base` (prepared, never started) into
// `totals`, sized res * res. Orbit 0 is base's own orbit; orbit k starts at a
// point near base's start and reads a clock and a random stream of its own,
// all derived from job.clock and k, so the result depends on K and that clock
// only. A type with start sets takes its set into base first, as the one
// orbit's first step would, and every orbit draws with it.
// `progress` is told the calls made so far, now and then, from one thread.
// Every thread stops within a slice of calls once job.stop answers true; the
// totals are then incomplete. Returns the calls made. An exception in any
// thread (std::bad_alloc) stops them all and is rethrown here.
long long render_orbits(State& base, const OrbitJob& job, OrbitTotals& totals,
                        const std::function<void(long long)>& progress);

// Paints the canvas from the totals as the one-orbit driver leaves it: the
// background, then each drawn pixel in the colour of its count or index;
// sets hitcount (for the filters), hitmax and itercount.
void paint_totals(State& s, const OrbitTotals& totals, long long calls);

} // namespace morv
