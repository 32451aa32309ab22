// SPDX-License-Identifier: GPL-3.0-or-later
// The maps written out for tangent vectors: their Jacobians against central
// differences, and the maps against the steps that draw them.
#include "core/catalogue.h"
#include "formulas/scratch.h"
#include "formulas/steps.h"
#include "formulas/tangent_models.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace morv {
namespace {

// A covered type with the options that choose its formula.
struct Variant {
    int type;
    int pgmindex = 7;
    int flag = 0; // Rossler's stage, Frothy Basin's finite attractor
};

std::vector<Variant> covered_variants() {
    std::vector<Variant> all;
    for (int t = 0; t < NTYPES; ++t) {
        if (tangent_models[static_cast<std::size_t>(t)].dim == 0) continue;
        all.push_back({t, 7, t == kTypeBasin ? 1 : 0});
    }
    for (int i = 0; i < 7; ++i)
        all.push_back({kTypePgm, i});
    all.push_back({kTypeRossler, 7, 1});
    return all;
}

State state_for(const Variant& v) {
    State s = test::make_state(v.type);
    s.pgmindex = v.pgmindex;
    s.rosslerflag = v.flag;
    s.basinflag = v.flag;
    return s;
}

std::string name_of(const Variant& v) {
    return std::string(catalogue[static_cast<std::size_t>(v.type)].name) + " formula " +
           std::to_string(v.pgmindex) + " flag " + std::to_string(v.flag);
}

double coordinate(const Point3& v, int i) {
    return i == 0 ? v.x : (i == 1 ? v.y : v.z);
}
Point3 moved(Point3 v, int i, double by) {
    (i == 0 ? v.x : (i == 1 ? v.y : v.z)) += by;
    return v;
}

// Points away from the switches of the piecewise maps and the poles of the
// tangents; the third coordinate matters only where it is a state.
constexpr Point3 kPoints[] = {{0.31, -0.47, 0.23}, {-0.62, 0.18, 1.1}, {1.13, 0.71, -0.35}};

void expect_derivative(const Params& s, int dim, Point3 (*f)(const Params&, Point3),
                       Jacobian (*df)(const Params&, Point3), Point3 at, const std::string& what) {
    const Jacobian j = df(s, at);
    for (int c = 0; c < dim; ++c) {
        const double h = 1e-6;
        const Point3 up = f(s, moved(at, c, h)), down = f(s, moved(at, c, -h));
        for (int r = 0; r < dim; ++r) {
            const double fd = (coordinate(up, r) - coordinate(down, r)) / (2 * h);
            const double want = j[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            EXPECT_NEAR(want, fd, 1e-6 * std::max(1.0, std::fabs(fd)))
                << what << " at (" << at.x << ", " << at.y << ", " << at.z << ") d" << r << "/d"
                << c;
        }
    }
}

TEST(Tangent, JacobiansMatchCentralDifferences) {
    for (const Variant& var : covered_variants()) {
        const State s = state_for(var);
        const TangentModel& m = tangent_models[static_cast<std::size_t>(var.type)];
        for (Point3 at : kPoints) {
            if (var.type == kTypeDuffing) at.z = 40; // the forcing phase counter
            expect_derivative(s, m.dim, m.map, m.jacobian, at, name_of(var));
            if (m.field != nullptr)
                expect_derivative(s, m.dim, m.field, m.field_jacobian, at, name_of(var) + " field");
        }
    }
}

// The model's orbit is the step's: after two calls (Feather's carried term
// settles), five more points agree to the last bit.
TEST(Tangent, MapsFollowTheSteps) {
    for (const Variant& var : covered_variants()) {
        const TangentModel& m = tangent_models[static_cast<std::size_t>(var.type)];
        if (var.type == kTypePopcorn || var.type == kTypeSamardzija) continue;
        State s = state_for(var);
        const StepFn step = fpointer[static_cast<std::size_t>(var.type)];
        Point3 v = m.start(s);
        for (int i = 0; i < 7; ++i) {
            Point3 next = v;
            int x = 0, y = 0;
            step(s, s, v, &next, i, &x, &y);
            if (i >= 2) {
                const Point3 want = m.map(s, v);
                EXPECT_EQ(want.x, next.x) << name_of(var) << " call " << i;
                EXPECT_EQ(want.y, next.y) << name_of(var) << " call " << i;
                if (m.dim == 3) {
                    EXPECT_EQ(want.z, next.z) << name_of(var) << " call " << i;
                }
            }
            if (var.type == kTypeDuffing) next.z = m.map(s, v).z; // the phase rides along
            v = next;
        }
    }
}

// Samardzija keeps its state (x, y, e) in the step's scratch. (Popcorn's step
// applies the map once to grid points, never to an orbit.)
TEST(Tangent, SamardzijaFollowsItsStep) {
    State s = test::make_state(kTypeSamardzija);
    const TangentModel& m = tangent_models[kTypeSamardzija];
    Point3 before = m.start(s);
    for (int i = 0; i < 5; ++i) {
        Point3 unused{};
        int x = 0, y = 0;
        samardzija(s, s, unused, &unused, i, &x, &y);
        const SamardzijaScratch& k = scratch(s).selfdraw2.samardzija;
        const Point3 want = m.map(s, before);
        before = Point3{k.x0, k.y0, k.e};
        EXPECT_EQ(want.x, before.x);
        EXPECT_EQ(want.y, before.y);
        EXPECT_EQ(want.z, before.z);
    }
}

} // namespace
} // namespace morv
