#pragma once

// The bodies of the cheapest point-map steps, visible to the fused kernels so
// that the compiler can inline them there; the step functions of the table
// call the same bodies, so both paths compute the same bits.
#include "core/rotation.h"
#include "core/view.h"
#include "formulas/scratch.h"

#include <cmath>

namespace morv::inline_steps {

inline int henon(const Params& ps, RenderContext&, VOXEL old, VOXEL* next, int, int* xpos,
                 int* ypos) {
    next->x = (old.y + 1.0) - 1.4 * old.x * old.x;
    next->y = 0.3 * old.x;
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

// The point as the user turned it; with all angles exactly 0 the rotation is
// skipped, which keeps the common view cheap.
inline VOXEL displayed(const Params& ps, RenderContext& rc, VOXEL point) {
    if (!rotated(ps)) return point;
    apply_rotation(current_rotation(ps, scratch(rc).pointmaps.rotation), point);
    return point;
}

inline int map_sine_point(const Params& ps, RenderContext& rc, const VOXEL& point, int* xpos,
                          int* ypos) {
    const VOXEL q = displayed(ps, rc, point);
    map_to_pixel(ps, q.x, q.y, xpos, ypos);
    return kPlot;
}

inline int ganymede(const Params& ps, RenderContext& rc, VOXEL old, VOXEL* next, int, int* xpos,
                    int* ypos) {
    const PARAM& p = ps.p[ps.type];
    next->x = std::sin(p.b * old.y) + p.c * std::sin(p.b * old.x);
    next->y = std::sin(p.a * old.x) + p.d * std::sin(p.a * old.y);
    next->z = std::sin(old.x);
    return map_sine_point(ps, rc, *next, xpos, ypos);
}

inline int pickover3d(const Params& ps, RenderContext& rc, VOXEL old, VOXEL* next, int, int* xpos,
                      int* ypos) {
    const PARAM& p = ps.p[ps.type];
    next->x = std::sin(p.a * old.y) - old.z * std::cos(p.b * old.x);
    next->y = old.z * std::sin(p.c * old.x) - std::cos(p.d * old.y);
    next->z = std::sin(old.x);
    return map_sine_point(ps, rc, *next, xpos, ypos);
}

inline int dejong(const Params& ps, RenderContext& rc, VOXEL old, VOXEL* next, int, int* xpos,
                  int* ypos) {
    const PARAM& p = ps.p[ps.type];
    next->x = std::sin(p.a * old.y) - std::cos(p.b * old.x);
    next->y = std::sin(p.c * old.x) - std::cos(p.d * old.y);
    next->z = std::sin(old.x);
    return map_sine_point(ps, rc, *next, xpos, ypos);
}

inline int iris(const Params& ps, RenderContext&, VOXEL old, VOXEL* next, int, int* xpos,
                int* ypos) {
    const PARAM& p = ps.p[ps.type];
    next->x = p.sp0 * std::sin(old.x) + p.sp1 * std::cos(old.y);
    next->y = p.sp0 * std::cos(old.x) + p.sp1 * std::sin(old.y);
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

inline int atom(const Params& ps, RenderContext&, VOXEL old, VOXEL* next, int, int* xpos,
                int* ypos) {
    const double k = ps.p[ps.type].sp0;
    next->x = old.x * std::sin(old.y) + 4 * k * std::cos(old.y);
    next->y = old.y * std::cos(old.x) + 4 * k * std::sin(old.y);
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

} // namespace morv::inline_steps
