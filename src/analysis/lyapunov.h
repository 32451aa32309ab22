// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/catalogue.h"
#include "core/types.h"

#include <array>
#include <optional>

namespace morv {

struct State;

// The two box-counting grids over the current view window. The cell bounds
// are the window's width and height times fixed factors, not offset by its
// minimum, so a window symmetric about 0 uses only the middle cells; both
// grids are affected alike, which keeps their ratio of cell sizes at 2.
struct BoxGrids {
    std::array<std::array<int, 16>, 16> N16{}; // [row from y][column from x], 0 or 1
    std::array<std::array<int, 32>, 32> N32{};
    std::array<double, 16> step16x{}, step16y{}; // upper cell bounds
    std::array<double, 32> step32x{}, step32y{};
    int count16 = 0, count32 = 0; // marked cells, set by fractaldimension
};

// Clears the marks and computes the cell bounds of the window `mm`.
void prepare_grids(BoxGrids& g, const ViewWindow& mm);

// Marks the cells of both grids that contain (v.x, v.y); nothing when the
// point lies outside the window (points on its edge are inside). A point on
// a cell bound belongs to the lower cell.
void boxcount(BoxGrids& g, const ViewWindow& mm, Point3 v);

// Counts the marks and returns log2(count32 / count16), or 0.0 when either
// grid is empty.
double fractaldimension(BoxGrids& g);

// Whether the current type can be measured: its step must hand back the
// points of one orbit. A type that draws by itself (a grid scan, a chaos
// game, a stack of curves, a whole randomized picture per call) gives no
// orbit, and one of its calls can cost as much as a whole image, so 19,900 of
// them would not end in any useful time.
bool measurable(const State& s);

// The Lyapunov exponent (bits per iteration) and box-counting fractal
// dimension of a parameter set.
struct ChaosMeasure {
    double lexp = 0.0;
    double fd = 0.0;
};

// The largest Lyapunov exponent of the current type under `p[type]`, from a
// main orbit and a shadow orbit 1e-6 apart (x-y separation only), and the
// box-counting dimension of the main orbit. Nothing is drawn and the types'
// waits are skipped: the work is 19,900 step calls. Nothing when the type
// cannot be measured.
std::optional<ChaosMeasure> lyapunov(State& s);
// The same with a given step function; `grids`, when given, receives the grids.
std::optional<ChaosMeasure> lyapunov(State& s, StepFn step, BoxGrids* grids = nullptr);

} // namespace morv
