// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/params.h"
#include "core/types.h"

namespace morv::app {

// The narrowest plot window the Parameters dialog accepts, on either axis.
inline constexpr double kNarrowestSpan = 0.05;

// Canvas pixels from (x0, y0) to (x1, y1), both included, corners in any order.
struct PixelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The plot window showing what a rectangle dragged over a res x res canvas
// covers in `view`. It keeps the view's aspect (widening the rectangle's
// shorter side about its centre), is at least the narrowest span, lies inside
// the type's `limits`, and is rounded to the digits the Parameters dialog
// shows, so that an OK there keeps it exactly.
ViewWindow zoom_to_rect(const ViewWindow& view, const ViewWindow& limits, int res, PixelRect r);

// The view moved by fractions (fx, fy) of its own width and height (positive:
// towards larger x and y), within the same bounds as above.
ViewWindow pan_view(const ViewWindow& view, const ViewWindow& limits, double fx, double fy);

// Whether the type's picture follows its view window `mm[type]` (its points
// are mapped through it, whether or not the Parameters dialog shows the
// window's fields). The others draw at a fixed scale by their own rules and
// refuse the mouse's zooms.
bool follows_view(const Params& ps);

// What the title says after a zoom was refused.
inline constexpr const char* kCannotZoomNote = "cannot zoom: this type draws at a fixed scale";

// The view scaled by `factor` (below 1 zooms in) about canvas pixel (px, py):
// the plane point under it stays under it, within the same bounds as above.
ViewWindow zoom_about(const ViewWindow& view, const ViewWindow& limits, int res, int px, int py,
                      double factor);

} // namespace morv::app
