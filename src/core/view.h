// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/numeric.h"
#include "core/params.h"

namespace morv {

// The current type's view window resolved once, for loops that map many
// points with the same parameters; the arithmetic is map_to_pixel's.
struct ViewMapping {
    double xmin, xspan, ymin, yspan, dres;
    int res;

    explicit ViewMapping(const Params& ps)
        : xmin(ps.mm[ps.type].xmin), xspan(ps.mm[ps.type].xmax - ps.mm[ps.type].xmin),
          ymin(ps.mm[ps.type].ymin), yspan(ps.mm[ps.type].ymax - ps.mm[ps.type].ymin),
          dres(ps.dres), res(ps.res) {}

    void to_pixel(double x, double y, int* xpos, int* ypos) const {
        *xpos = trunc32((x - xmin) * dres / xspan);
        *ypos = wrap_sub(wrap_sub(res, trunc32((y - ymin) * dres / yspan)), 1);
    }
};

// The plane point (x, y) of the current type's view window as a canvas pixel,
// row 0 at the top. A point on xmax maps to column res, one on ymax to row -1.
inline void map_to_pixel(const Params& ps, double x, double y, int* xpos, int* ypos) {
    ViewMapping(ps).to_pixel(x, y, xpos, ypos);
}

} // namespace morv
