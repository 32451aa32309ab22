// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/catalogue.h"
#include "core/driver.h"

#include <array>

namespace morv {

struct State;
struct Params;
struct RenderContext;

// Up to n driver calls made in one go for a context past its first call,
// stopping after a call whose outcome pauses or that sets *held (when given);
// returns the calls made and leaves the last call's outcome in `last`.
using FusedKernel = long long (*)(const Params& ps, RenderContext& rc, long long n,
                                  const bool* held, Outcome& last);

// A step function's kernels by colouring method (nullptr where the one-call
// driver does the work).
struct FusedKernels {
    StepFn step = nullptr;
    std::array<FusedKernel, 5> by_method{};
};
using FusedKernelTable = std::array<FusedKernels, NTYPES>;

struct RunOutcome {
    long long calls = 0;
    Outcome last = Outcome::Plotted; // what the last call did
};

// Calls the driver up to n times, stopping after a call whose outcome pauses,
// or (with `held`) after one that set *held (a step asked to wait):
// everything ends exactly as after that many render_step() calls. With `kernels`, calls of a type
// and method that has a kernel for the state's step function run fused.
RunOutcome run_calls(State& s, long long n, const FusedKernelTable* kernels = nullptr,
                     const bool* held = nullptr);

// The same over a shared parameter set (see the driver's entry of that kind).
RunOutcome run_calls(const Params& ps, RenderContext& rc, long long n,
                     const FusedKernelTable* kernels = nullptr, const bool* held = nullptr);

} // namespace morv
