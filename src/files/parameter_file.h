// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/atr.h"
#include "files/recipe.h"

#include <optional>

#include <string>

namespace morv {

struct Params;

// Loads the parameter file (or PNG image) at `path`. Returns a kAtrLoad*
// code (files/atr.h); on failure the parameters are unchanged and `reason`
// (if given) says why in English.
// A PNG image's recipe run goes to `run` (if given): nothing for a record or
// an image without one.
int load_parameter_file(Params& ps, const std::string& path, std::string* reason = nullptr,
                        std::optional<RecipeRun>* run = nullptr);

} // namespace morv
