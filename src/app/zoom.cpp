// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/zoom.h"

#include "app/forms/field_text.h"
#include "core/catalogue.h"

#include <algorithm>

namespace morv::app {

namespace {

// As the dialog shows a window value, so that reading it back changes nothing.
constexpr int kDialogDecimals = 15;
// A hair over the narrowest span, so that rounding cannot take it below.
constexpr double kSpanMargin = 1.0 + 1e-9;

double as_shown(double v) {
    return read_double(show_fixed(v, kDialogDecimals));
}

// One axis of width w about centre c: at least the narrowest span, at most
// the limits' width, shifted inside them.
void place_axis(double c, double w, double lo_limit, double hi_limit, double& lo, double& hi) {
    w = std::min(w, hi_limit - lo_limit);
    lo = std::max(lo_limit, std::min(c - w / 2, hi_limit - w));
    hi = lo + w;
    lo = as_shown(lo);
    hi = as_shown(hi);
}

// Spans of at least the narrowest width, their ratio kept.
void widen(double& wx, double& wy) {
    const double scale =
        std::max(kNarrowestSpan * kSpanMargin / wx, kNarrowestSpan * kSpanMargin / wy);
    if (scale > 1) {
        wx *= scale;
        wy *= scale;
    }
}

ViewWindow place(double cx, double cy, double wx, double wy, const ViewWindow& limits) {
    widen(wx, wy);
    ViewWindow out;
    place_axis(cx, wx, limits.xmin, limits.xmax, out.xmin, out.xmax);
    place_axis(cy, wy, limits.ymin, limits.ymax, out.ymin, out.ymax);
    return out;
}

} // namespace

// Column i covers x from xmin + i w / res; row j (0 at the top) covers y from
// ymin + (res - 1 - j) h / res, as points are mapped to pixels.
ViewWindow zoom_to_rect(const ViewWindow& view, const ViewWindow& limits, int res, PixelRect r) {
    const double w = view.xmax - view.xmin, h = view.ymax - view.ymin;
    const int left = std::min(r.x0, r.x1), right = std::max(r.x0, r.x1) + 1;
    const int top = std::min(r.y0, r.y1), bottom = std::max(r.y0, r.y1) + 1;
    const double xlo = view.xmin + left * w / res, xhi = view.xmin + right * w / res;
    const double ylo = view.ymin + (res - bottom) * h / res,
                 yhi = view.ymin + (res - top) * h / res;
    double wx = xhi - xlo, wy = yhi - ylo;
    const double aspect = w / h;
    if (wx < wy * aspect)
        wx = wy * aspect;
    else
        wy = wx / aspect;
    return place((xlo + xhi) / 2, (ylo + yhi) / 2, wx, wy, limits);
}

// Each of these draws through a scale of its own: a fixed projection (the
// 3-D curves, oscillators, tori and Lorenz), the polygon's corners, the
// bifurcation axes, a grid symmetric about 0 (Popcorn), or a self-scaled
// orbit (Lace, Gingerbread Men). Rossler's oblique view and Frothy Basin's
// basin grid are fixed too; their other modes map points through the view.
bool follows_view(const Params& ps) {
    switch (ps.type) {
    case kTypeBifurcation:
    case kTypeLorenz:
    case kTypeSierpinski:
    case kTypeLace:
    case kTypePopcorn:
    case kTypePgm:
    case kTypeChrysanthemum:
    case kTypeButterfly:
    case kTypeKamTorus:
    case kTypeSamardzija:
    case kTypeLissajous:
    case kTypeRandomKamTorus:
        return false;
    case kTypeRossler:
        return ps.rosslerflag == 0;
    case kTypeBasin:
        return ps.basinflag != 0;
    default:
        return valid_type(ps.type);
    }
}

ViewWindow pan_view(const ViewWindow& view, const ViewWindow& limits, double fx, double fy) {
    const double w = view.xmax - view.xmin, h = view.ymax - view.ymin;
    return place((view.xmin + view.xmax) / 2 + fx * w, (view.ymin + view.ymax) / 2 + fy * h, w, h,
                 limits);
}

ViewWindow zoom_about(const ViewWindow& view, const ViewWindow& limits, int res, int px, int py,
                      double factor) {
    const double w = view.xmax - view.xmin, h = view.ymax - view.ymin;
    const double fx = (px + 0.5) / res, fy = (res - py - 0.5) / res; // from the low corner
    const double ax = view.xmin + fx * w, ay = view.ymin + fy * h;
    double wx = w * factor, wy = h * factor;
    widen(wx, wy);
    // The centre that keeps the anchor at the same fraction of the window.
    return place(ax + (0.5 - fx) * wx, ay + (0.5 - fy) * wy, wx, wy, limits);
}

} // namespace morv::app
