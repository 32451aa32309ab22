// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/catalogue.h"
#include "core/density.h"
#include "core/params.h"
#include "core/platform.h"
#include "core/step_scratch.h"
#include "core/surface.h"
#include "core/types.h"

#include <cstdint>
#include <vector>

namespace morv {

// One orbit over a parameter set and the buffers it draws into: everything a
// driver call or a step writes. Copies render independently.
struct RenderContext {
    // The orbit.
    bool fresh_image = true;
    Point3 v{}, oldv{};
    int count = 0;              // transient counter, passed to the steps as iter
    int xplot0 = 0, yplot0 = 0; // the previous pixel
    int itercount = 0;
    int intro = 1;     // the start-up image still pauses itself (core/orbit_rules.h)
    int stormflag = 1; // the next first step takes one of the type's start sets (take_start_set)

    // Hit counts: res x res entries once a method that keeps them has started.
    std::vector<float> hitcount;
    unsigned hitmax = 0;
    int hcres = 0;

    // Beside the defined plotting, when asked for: every plotted point's
    // count and colour, for tone mapping.
    Density density;

    // Surfaces: the res x res image canvas, and the main window's client area
    // (empty for headless instances, so nothing is ever visible).
    Surface canvas;
    Surface window;
    Rect ClientRes{};
    // False for a context whose dots are only counted (each orbit of a
    // several-orbit render, whose picture is painted from the summed counts):
    // its canvas stays empty, saving a res x res image per orbit.
    bool paints_canvas = true;

    // The step functions the driver calls, handed in by whoever builds the
    // instance (none: every step pauses).
    const StepTable* steps = nullptr;

    // Waits, clock and random numbers.
    Platform platform;
    Random rng;

    // What the step functions keep between calls.
    StepScratch scratch;

    // Convenience for the step functions.
    int rand() { return rng.rand(); }
    int lrand() { return rng.lrand(); }
    double morvrandom() { return rng.morvrandom(); }
    void seed_from_clock() { rng.srand(static_cast<std::uint32_t>(platform.now_seconds())); }
    void sleep_ms(int ms) { platform.sleep_ms(ms); }
};

// The visible test: the window pixel is drawn too when it lies in the part of
// the image the window shows.
inline bool visible(const Params& ps, const RenderContext& rc, int x, int y) {
    return x < ps.res && x < rc.ClientRes.right && y < ps.res && y < rc.ClientRes.bottom &&
           x >= 0 && y >= 0;
}

// Drawing a dot: the canvas pixel always, the window pixel when visible.
inline void drawdot(const Params& ps, RenderContext& rc, int x, int y, Rgb c) {
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(ps.res) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(ps.res))
        return;
    rc.canvas.set_pixel(x, y, c);
    if (visible(ps, rc, x, y)) rc.window.set_pixel(x, y, c);
}

} // namespace morv
