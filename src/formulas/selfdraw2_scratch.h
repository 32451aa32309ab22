// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/surface.h"

#include <array>

namespace morv {

// Rossler's pacing counter. It starts at 0 with the program and is never reset
// by a new run: only the spacing of the waits depends on it.
struct RosslerScratch {
    int count = 0;
};

struct ChrysanthemumScratch {
    int count = 0; // number of the curve point
    double pi_over_maxcount = 0;
    double res_over_24 = 0;
};

struct ButterflyScratch {
    int count = 0; // number of the curve point
    double pi_over_maxcount = 0;
    double res_over_10 = 0;
};

struct KamTorusScratch {
    double sin_theta = 0, cos_theta = 0;
    double orbit = 0; // start parameter of the current orbit
};

inline constexpr int kSamardzijaTrail = 1000;

struct SamardzijaScratch {
    // The third state variable carries its last value into every later run,
    // so a second run from the same start draws a different trail.
    double e = -0.6;
    double x0 = 0, y0 = 0;
    std::array<Point, kSamardzijaTrail> fifo{}; // the pixels of the last 1000 steps
    int sp = 0;                                 // next slot to write, then the oldest
    int color = 1;                              // palette index 1..255
    int count = 0;                              // steps done in this run
};

struct LissajousScratch {
    double arg = 0;  // path parameter of the ball being drawn
    double arg1 = 0; // path parameter of the ball being erased
    int step = 0;    // colour phase 0..250
    int count = 0;   // calls done, held at 94 once the eraser runs
};

// The bifurcation diagram is drawn one curve or one column per call.
struct BifurcationScratch {
    int stage = 0;  // classic: curves 0..7, then the diagram; odd: the pass
    int column = 0; // next column of the diagram or pass
    int index = 0;  // palette position, carried through all stages
    double x = 0;   // the iterate, carried from column to column
};

// What the step functions of bifurcation diagram, Rossler, parametric curves,
// KAM tori and the animated oscillators keep between calls of one render.
// Reset by each step function when it is called with iter 0 (except where a
// member says otherwise).
struct SelfDrawScratch2 {
    BifurcationScratch bifurcation;
    RosslerScratch rossler;
    ChrysanthemumScratch chrysanthemum;
    ButterflyScratch butterfly;
    KamTorusScratch kamtorus;
    SamardzijaScratch samardzija;
    LissajousScratch lissajous;
};

} // namespace morv
