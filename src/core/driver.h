// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv {

struct State;
struct Params;
struct RenderContext;
struct Point3;

// What one driver call did. The driver only reports; whoever runs it decides
// what a pause means (the desktop program pauses, the renderer resumes at once).
enum class Outcome {
    Plotted,   // a point was accepted (drawn, or kept as the previous pixel)
    Transient, // accepted, nothing to plot yet
    Paused,    // the step or the start-up image asked to pause; Resume continues
    Complete,  // the image is complete; Resume starts afresh
    NoMemory,  // the hit-count buffer could not be had; pause
};

inline bool pauses(Outcome o) {
    return o == Outcome::Paused || o == Outcome::Complete || o == Outcome::NoMemory;
}

// One iteration of the current type. It only reports a pause; whoever runs
// it carries the pause out.
Outcome render_step(State& s);

// The same over a parameter set several contexts share, which it only reads:
// a fresh start begins at `start` (the parameters' start point when null),
// and no start set is taken (take it first, with take_start_set).
Outcome render_step(const Params& ps, RenderContext& rc, const Point3* start = nullptr);

// Before the first step of an orbit (iter 0): while stormflag is set and the
// current type has start sets, clears the flag, writes one set's a..d into
// the working parameters and its (x, y) into `first`, the point that first
// step starts from. False when nothing was taken. Steps only read the
// parameters, so whoever runs an orbit's first step with the parameter set
// in hand calls this: the driver, the Lyapunov measurement.
bool take_start_set(Params& ps, RenderContext& rc, Point3& first);

} // namespace morv
