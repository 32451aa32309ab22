// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/benettin.h"
#include "analysis/correlation.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace morv {

// How long the measurement runs: a fixed number of steps, so that its time
// is bounded for every type.
struct PreciseSettings {
    long long map_steps = 10000000; // tangent steps for a map
    double flow_time = 20000;       // time units of a flow
    long long transient = 1000;     // map steps skipped
    double flow_transient = 20;     // time units skipped
    int points = 100000;            // orbit points for the correlation dimension
    double flow_step = 0.02;        // Runge-Kutta step for a flow's own equations
    double own_flow_time = 40000;   // time units of them
};

// The spectrum, the Kaplan-Yorke and the correlation dimension of the current
// type's parameter set, or why they cannot be had (`failure`).
struct PreciseMeasure {
    Spectrum spectrum;
    Measured kaplan_yorke;
    CorrelationDimension correlation;
    // A flow's own equations, apart from the Euler steps that draw it (which
    // shift its exponents: dim 0 for a map).
    Spectrum flow;
    Measured flow_kaplan_yorke;
    std::string failure;
};

// The points of one orbit after the transient; a flow's sampled every
// 0.05 time units. Fewer points than asked for when the orbit ran away.
std::vector<OrbitPoint> sample_orbit(const Params& ps, const TangentModel& model, int n,
                                     long long transient, int stride);

// The sampling of a flow's orbit: steps between points and the Theiler
// window (points closer in time than about one time unit are not paired).
struct OrbitSampling {
    int stride = 1;
    int theiler = 0;
    long long transient = 0;
};
OrbitSampling sampling_for(const TangentModel& model, const PreciseSettings& settings);

// Steps of the tangent run for this model.
long long spectrum_steps(const TangentModel& model, const PreciseSettings& settings);

PreciseMeasure measure_precisely(const Params& ps, const TangentTable& models,
                                 const PreciseSettings& settings = {});

// The same in pieces of about 10^5 steps, for a window that shows it
// converging: `report` receives the measure so far after every piece (`done`
// after the last), and `stop`, read between pieces, ends the work early
// without a last report. Until it is measured the correlation dimension's
// failure says it is still to come.
using MeasureReport = std::function<void(const PreciseMeasure& so_far, bool done)>;
void measure_progressively(const Params& ps, const TangentTable& models,
                           const PreciseSettings& settings, const MeasureReport& report,
                           const std::atomic<bool>& stop);

inline constexpr const char* kStillToCome = "still to come";

} // namespace morv
