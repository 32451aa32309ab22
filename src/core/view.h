#pragma once

#include "core/numeric.h"
#include "core/params.h"

namespace morv {

// The plane point (x, y) of the current type's view window as a canvas pixel,
// row 0 at the top. A point on xmax maps to column res, one on ymax to row -1.
inline void map_to_pixel(const Params& s, double x, double y, int* xpos, int* ypos) {
    const MINMAX& w = s.mm[s.type];
    *xpos = trunc32((x - w.xmin) * s.dres / (w.xmax - w.xmin));
    *ypos = wrap_sub(wrap_sub(s.res, trunc32((y - w.ymin) * s.dres / (w.ymax - w.ymin))), 1);
}

} // namespace morv
