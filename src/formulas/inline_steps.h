// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bodies of the cheapest point-map steps, visible to the fused kernels so
// that the compiler can inline them there; the step functions of the table
// call the same bodies, so both paths compute the same bits.
#include "core/rotation.h"
#include "core/view.h"
#include "formulas/scratch.h"

#include <cmath>

namespace morv::inline_steps {

// The maps themselves: the next orbit point from the previous one.
using PointFn = void (*)(const TypeParams& p, Point3 old, Point3* next);

inline void henon_point(const TypeParams&, Point3 old, Point3* next) {
    next->x = (old.y + 1.0) - 1.4 * old.x * old.x;
    next->y = 0.3 * old.x;
}

// The third coordinate of Ganymede and de Jong: only the rotation and the Z
// Plane colouring read it, their plane coordinates never do.
inline void sine_z(const TypeParams&, Point3 old, Point3* next) {
    next->z = std::sin(old.x);
}

inline void ganymede_plane(const TypeParams& p, Point3 old, Point3* next) {
    next->x = std::sin(p.b * old.y) + p.c * std::sin(p.b * old.x);
    next->y = std::sin(p.a * old.x) + p.d * std::sin(p.a * old.y);
}

inline void ganymede_point(const TypeParams& p, Point3 old, Point3* next) {
    ganymede_plane(p, old, next);
    sine_z(p, old, next);
}

inline void pickover3d_point(const TypeParams& p, Point3 old, Point3* next) {
    next->x = std::sin(p.a * old.y) - old.z * std::cos(p.b * old.x);
    next->y = old.z * std::sin(p.c * old.x) - std::cos(p.d * old.y);
    next->z = std::sin(old.x);
}

inline void dejong_plane(const TypeParams& p, Point3 old, Point3* next) {
    next->x = std::sin(p.a * old.y) - std::cos(p.b * old.x);
    next->y = std::sin(p.c * old.x) - std::cos(p.d * old.y);
}

inline void dejong_point(const TypeParams& p, Point3 old, Point3* next) {
    dejong_plane(p, old, next);
    sine_z(p, old, next);
}

inline void iris_point(const TypeParams& p, Point3 old, Point3* next) {
    next->x = p.sp0 * std::sin(old.x) + p.sp1 * std::cos(old.y);
    next->y = p.sp0 * std::cos(old.x) + p.sp1 * std::sin(old.y);
}

inline void atom_point(const TypeParams& p, Point3 old, Point3* next) {
    const double k = p.sp0;
    next->x = old.x * std::sin(old.y) + 4 * k * std::cos(old.y);
    next->y = old.y * std::cos(old.x) + 4 * k * std::sin(old.y);
}

// A plane map's step: the point itself is plotted.
template <PointFn Point>
inline int plane_step(const Params& ps, RenderContext&, Point3 old, Point3* next, int, int* xpos,
                      int* ypos) {
    Point(ps.p[ps.type], old, next);
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

// The point as the user turned it; with all angles exactly 0 the rotation is
// skipped, which keeps the common view cheap.
inline Point3 displayed(const Params& ps, RenderContext& rc, Point3 point) {
    if (!rotated(ps)) return point;
    apply_rotation(current_rotation(ps, scratch(rc).pointmaps.rotation), point);
    return point;
}

// A sine map's step: the point is plotted as displayed.
template <PointFn Point>
inline int sine_step(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int, int* xpos,
                     int* ypos) {
    Point(ps.p[ps.type], old, next);
    const Point3 q = displayed(ps, rc, *next);
    map_to_pixel(ps, q.x, q.y, xpos, ypos);
    return kPlot;
}

// The same steps with the parameters, the view window and the rotation
// resolved once for many calls (nothing the steps read changes during a run).
template <PointFn Point> struct PlaneMap {
    TypeParams p;
    ViewMapping view;

    explicit PlaneMap(const Params& ps) : p(ps.p[ps.type]), view(ps) {}
    int operator()(Point3 old, Point3* next, int, int* xpos, int* ypos) const {
        Point(p, old, next);
        view.to_pixel(next->x, next->y, xpos, ypos);
        return kPlot;
    }
    template <class Run> static auto with(const Params& ps, RenderContext&, Run&& run) {
        return run(PlaneMap(ps));
    }
};

template <PointFn Point> struct TurnedMap {
    TypeParams p;
    ViewMapping view;
    RotationPlan plan;

    int operator()(Point3 old, Point3* next, int, int* xpos, int* ypos) const {
        Point(p, old, next);
        Point3 q = *next;
        apply_rotation(plan, q);
        view.to_pixel(q.x, q.y, xpos, ypos);
        return kPlot;
    }
};

// Unturned, a sine map whose z is nothing but a sine of the previous x leaves
// z to the kernel, which works it out for the points it keeps when the run
// stops: one sine in five saved per call.
template <PointFn Plane, PointFn Z> struct LateZMap : PlaneMap<Plane> {
    using PlaneMap<Plane>::PlaneMap;
    static void deferred_z(const TypeParams& p, Point3 old, Point3* next) { Z(p, old, next); }
};

// A sine map turned by the type's angles, or as Unturned when they are all 0.
template <PointFn Point, class Unturned = PlaneMap<Point>> struct SineMap {
    template <class Run> static auto with(const Params& ps, RenderContext& rc, Run&& run) {
        if (rotated(ps)) {
            const RotationPlan& plan = current_rotation(ps, scratch(rc).pointmaps.rotation);
            return run(TurnedMap<Point>{ps.p[ps.type], ViewMapping(ps), plan});
        }
        return run(Unturned(ps));
    }
};

inline int henon(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
                 int* ypos) {
    return plane_step<henon_point>(ps, rc, old, next, iter, xpos, ypos);
}
inline int ganymede(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter,
                    int* xpos, int* ypos) {
    return sine_step<ganymede_point>(ps, rc, old, next, iter, xpos, ypos);
}
inline int pickover3d(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter,
                      int* xpos, int* ypos) {
    return sine_step<pickover3d_point>(ps, rc, old, next, iter, xpos, ypos);
}
inline int dejong(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter,
                  int* xpos, int* ypos) {
    return sine_step<dejong_point>(ps, rc, old, next, iter, xpos, ypos);
}
inline int iris(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
                int* ypos) {
    return plane_step<iris_point>(ps, rc, old, next, iter, xpos, ypos);
}
inline int atom(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
                int* ypos) {
    return plane_step<atom_point>(ps, rc, old, next, iter, xpos, ypos);
}

} // namespace morv::inline_steps
