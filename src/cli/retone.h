// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/options.h"
#include "core/state.h"
#include "files/recipe.h"

#include <optional>
#include <string>

namespace morv {

// A toned picture's density saved beside it (--save-density) and the picture
// toned again from it (--retone) without drawing a point; the file layout is
// a hit-count part's (docs/hits-file.md).

// Where --retone looks for the density of a picture: its name with .density in
// place of .png (or added when it has no .png ending).
std::string density_path_for(const std::string& png);

// Writes the density `s` holds (the render's, on its grid, not yet toned) to
// `path` as a part of the whole render `run` describes: its counts are the
// samples' hits, its colour sums the doubles the toning reads, bit for bit.
// The reason on failure.
std::optional<std::string> save_density(const State& s, const RecipeRun& run,
                                        const std::string& path);

// --retone, once `s` is set up from the picture on its accumulation grid:
// reads the density beside the picture, refuses one that does not belong to
// it (other parameters, palette or run; `run` is the picture's) or whose
// accumulated --oversample or --color-by the options change, and gives it to
// `s` to tone. `no_memory` tells a lack of memory from a refusal.
std::optional<std::string> adopt_saved_density(State& s, const CliOptions& o, const RecipeRun& run,
                                               bool& no_memory);

} // namespace morv
