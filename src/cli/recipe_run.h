// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/options.h"
#include "files/recipe.h"

#include <cstdint>
#include <optional>

namespace morv {

struct State;

// A Morvane PNG given as the parameter file brings how it was drawn: its
// resolution, call count, seed, orbits, filter and palette become the values
// of the options the command line leaves out. An image without a recipe, or
// one that cannot be read (its load refuses it later, with the reason), brings
// nothing.
void take_recipe_defaults(CliOptions& o);

// How this run drew its picture, for the recipe of the PNG it writes.
RecipeRun recipe_run_of(const State& s, const CliOptions& o, long long calls,
                        const ClockLog& clock);

} // namespace morv
