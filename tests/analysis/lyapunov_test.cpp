#include "analysis/lyapunov.h"

#include "core/state.h"
#include "formulas/steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace morv {
namespace {

// Steps for hand-made orbits; `stay` sends every point to one fixed point.
int stay(const Params&, RenderContext&, VOXEL, VOXEL* next, int, int*, int*) {
    *next = VOXEL{0.25, 0.25, 0};
    return kPlot;
}
int run_away(const Params&, RenderContext&, VOXEL old, VOXEL* next, int, int*, int*) {
    next->x = old.x + 1000;
    next->y = old.y;
    return kPlot;
}
// Separates only in z: the x-y distance is always 0.
int spread_z(const Params&, RenderContext&, VOXEL old, VOXEL* next, int, int*, int*) {
    *next = VOXEL{0.25, 0.25, old.z + old.x * 1e3};
    return kPlot;
}
int blow_up(const Params&, RenderContext&, VOXEL old, VOXEL* next, int, int*, int*) {
    next->x = old.x * 1e10;
    next->y = old.y * 1e10;
    return kPlot;
}

State at_point(double x, double y) {
    State s;
    s.steps = &fpointer;
    s.p[0].xstart = x;
    s.p[0].ystart = y;
    s.mm[0] = MINMAX{-1, 1, -1, 1};
    return s;
}

TEST(Lyapunov, FixedPointClampsEverySeparation) {
    State s = at_point(0.25, 0.25);
    BoxGrids g;
    const auto m = lyapunov(s, stay, &g);
    ASSERT_TRUE(m);
    EXPECT_NEAR(m->lexp, 1.442694 * std::log(1e-10), 1e-9);
    EXPECT_NEAR(m->lexp, -33.2, 0.05);
    EXPECT_EQ(g.count16, 1);
    EXPECT_EQ(g.count32, 1);
    EXPECT_EQ(m->fd, 0.0);
}

TEST(Lyapunov, OrbitOutsideTheWindowMarksNothing) {
    State s = at_point(0.5, 0.5);
    BoxGrids g;
    EXPECT_EQ(lyapunov(s, run_away, &g)->fd, 0.0);
    EXPECT_EQ(g.count16, 0);
    EXPECT_EQ(g.count32, 0);

    State z = at_point(0.5, 0.5); // a z separation counts as none
    EXPECT_NEAR(lyapunov(z, spread_z)->lexp, 1.442694 * std::log(1e-10), 1e-9);

    State nan = at_point(0.5, 0.5);
    // Infinities or NaN: fails every at-least test.
    EXPECT_FALSE(lyapunov(nan, blow_up, &g)->lexp >= 0.1);
    EXPECT_EQ(g.count16, 0);
}

TEST(BoxCount, CellBoundsAreUnoffsetAndInclusive) {
    BoxGrids g;
    const MINMAX mm{-1, 1, -1, 1}; // width 2: 16-grid bounds -1.75, -1.5, ..., 2
    prepare_grids(g, mm);
    EXPECT_EQ(g.step16x[0], -1.75);
    EXPECT_EQ(g.step32y[31], 2.0);
    // On the bound 0.25 (16-grid index 8, 32-grid index 17): the lower cell.
    boxcount(g, mm, VOXEL{0.25, 0.25, 0});
    EXPECT_EQ(g.N16[8][8], 1);
    EXPECT_EQ(g.N32[17][17], 1);
    // A symmetric window only reaches the middle cells: x = -1 lies in column 3.
    boxcount(g, mm, VOXEL{-1, 1, 0});
    EXPECT_EQ(g.N16[11][3], 1);
    boxcount(g, mm, VOXEL{1.0001, 0, 0});
    boxcount(g, mm, VOXEL{std::numeric_limits<double>::quiet_NaN(), 0, 0});
    EXPECT_EQ(fractaldimension(g), 0.0); // two cells in each grid
    EXPECT_EQ(g.count16, 2);
    EXPECT_EQ(g.count32, 2);
    // Four 32-cells inside one 16-cell: log2(4 / 1) = 2.
    BoxGrids q;
    prepare_grids(q, mm);
    for (double x : {0.1, 0.2})
        for (double y : {0.1, 0.2})
            boxcount(q, mm, VOXEL{x, y, 0});
    EXPECT_DOUBLE_EQ(fractaldimension(q), 2.0);
}

// Every type either gives an orbit to measure, without waiting, or is refused
// at once: a self-drawing type's call can cost a whole picture.
TEST(Lyapunov, SelfDrawingTypesAreRefusedAndMeasurementsSkipWaits) {
    int measured = 0;
    for (int type = 0; type < NTYPES; ++type) {
        State s;
        s.steps = &fpointer;
        s.type = type;
        int waits = 0;
        s.platform.sleep_ms = [&waits](int) { ++waits; };
        const bool can = measurable(s);
        const auto m = lyapunov(s);
        EXPECT_EQ(m.has_value(), can) << type;
        EXPECT_EQ(waits, 0) << type;
        s.sleep_ms(1); // the waits are back for rendering
        EXPECT_EQ(waits, 1) << type;
        measured += can;
        if (type == 0) {
            EXPECT_NEAR(m->lexp, 0.6, 0.05); // Henon: about 0.42 nats per iteration
            EXPECT_GT(m->fd, 1.0);
        }
    }
    EXPECT_EQ(measured, 24);
    State frothy;
    frothy.steps = &fpointer;
    frothy.type = 18; // a finite attractor, or a scan of the plane
    frothy.basinflag = 1;
    EXPECT_TRUE(measurable(frothy));
    frothy.basinflag = 0;
    EXPECT_FALSE(measurable(frothy));
}

} // namespace
} // namespace morv
