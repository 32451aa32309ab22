// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/catalogue.h"
#include "core/params.h"
#include "core/render_context.h"

namespace morv {

// One engine instance: a parameter set and one render context over it. The
// renderer, the benchmarks and every test make their own; the desktop
// program's adds its application state (src/app).
struct State : Params, RenderContext {
    State(); // the start-up defaults
};

// The current type's step function; nullptr when none was handed in.
inline StepFn step_of(const Params& ps, const RenderContext& rc) {
    return rc.steps != nullptr && valid_type(ps.type) ? (*rc.steps)[ps.type] : nullptr;
}
inline StepFn step_of(const State& s) {
    return step_of(s, s);
}

// Sets the resolution and rebuilds the canvas black at that size; false, with
// nothing changed, when the canvas cannot be had.
bool set_resolution(State& s, int res);

// Gives the instance a window surface of the client area's size; false when
// it cannot be had (the surface stays empty and the next fresh start retries).
bool attach_window(State& s, int width, int height);

} // namespace morv
