// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <array>

namespace morv {

// Chaos game on a polygon: the point and the vertices live in canvas pixels.
struct SierpinskiScratch {
    std::array<Point3, 6> vertex{};
    int mode = 0; // the polygon layout this render was started with, 0..5
    double x0 = 0, y0 = 0;
    Rgb cr = 0; // colour of the last dot
};

// Affine IFS: the point in model units.
struct FernScratch {
    double x0 = 0, y0 = 0;
};

struct WebScratch {
    int row = 0;
    double xside = 0, yside = 0;
};

struct VlScratch {
    int row = 0;
    double xside = 0, yside = 0;
    double half = 0;           // h / 2
    double atrx = 0, atry = 0; // the reference point
    double factor = 0;         // colouring scale
};

struct PopcornScratch {
    int row = 0;
    int index = 1; // palette entry of the current grid row
    double h = 0;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0, xside = 0, yside = 0;
    double xnew = 0, ynew = 0;
};

struct FrothyBasinScratch {
    int row = 0;
    double xmin = 0, ymin = 0, xside = 0, yside = 0, maxsize = 0;
};

struct LaceScratch {
    double x0 = 0, y0 = 0, r0 = 0;
    double cr = 0, cg = 0, cb = 0; // colour history, each in [0, 1)
};

struct PgmScratch {
    double resover3 = 0;
    int color = 1; // palette entry 1..255
    int reset = 0; // points since the last colour change
};

struct UnityScratch {
    int row = 0;
    double xside = 0, yside = 0, maxsize = 0, maxiter = 0;
};

// What the step functions of chaos games, grid scans, self-scaled orbits and
// Unity keep between calls of one render. Reset by each step function when it
// is called with iter 0.
struct SelfDrawScratch1 {
    SierpinskiScratch sierpinski;
    FernScratch fern;
    WebScratch web;
    VlScratch vl;
    PopcornScratch popcorn;
    FrothyBasinScratch frothybasin;
    LaceScratch lace;
    PgmScratch pgm;
    UnityScratch unity;
};

} // namespace morv
