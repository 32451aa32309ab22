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
inline StepFn step_of(const State& s) {
    return s.steps != nullptr && valid_type(s.type) ? (*s.steps)[s.type] : nullptr;
}

// The visible test: the window pixel is drawn too when it lies in the part of
// the image the window shows.
inline bool visible(const State& s, int x, int y) {
    return x < s.res && x < s.ClientRes.right && y < s.res && y < s.ClientRes.bottom && x >= 0 &&
           y >= 0;
}

// Drawing a dot: the canvas pixel always, the window pixel when visible.
inline void drawdot(State& s, int x, int y, COLORREF c) {
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(s.res) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(s.res))
        return;
    s.canvas.set_pixel(x, y, c);
    if (visible(s, x, y)) s.window.set_pixel(x, y, c);
}

// Sets the resolution and rebuilds the canvas black at that size; false, with
// nothing changed, when the canvas cannot be had.
bool set_resolution(State& s, int res);

// Gives the instance a window surface of the client area's size; false when
// it cannot be had (the surface stays empty and the next fresh start retries).
bool attach_window(State& s, int width, int height);

} // namespace morv
