// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/png.h"
#include "files/recipe.h"

#include <optional>
#include <string>

namespace morv {

struct Params;
struct State;

// Whether a path names a PNG image: it ends in ".png", in any letter case.
bool is_png_path(const std::string& path);

// The readable text a PNG carries beside the record: the type and its main
// parameters, one "name value" pair after another.
std::string png_description(const Params& ps);

// The readable summary of a recipe: one "name: value" line per main value.
std::string recipe_summary(const Params& ps, const RecipeRun& run);

// Saves the image canvas: as PNG carrying the record of the state and the
// recipe of `run` (when not given: the state's resolution, nothing else
// known) when the path ends in .png, as TGA otherwise. The codes of
// writetga; on failure `reason` (if given) says why.
int writeimage(const State& s, const std::string& path, std::string* reason = nullptr,
               const RecipeRun* run = nullptr);

// The same with the pixels given apart from the canvas (a toned picture of
// the state, of any depth): a PNG of them, or a TGA of the canvas.
int writeimage(const State& s, const PngPixels& pixels, const std::string& path,
               std::string* reason = nullptr, const RecipeRun* run = nullptr);

// Loads the record a PNG image carries into the state, with the checks of a
// parameter file, and its recipe when it has one, all or nothing. Returns a
// kAtrLoad* code; `reason` (if given) says why a load failed. `run` (if
// given) receives the recipe's run, or nothing for an image without one.
int load_png_parameters(Params& ps, const std::string& path, std::string* reason,
                        std::optional<RecipeRun>* run = nullptr);

// The same for the contents of a PNG already read.
int load_png_contents(Params& ps, const PngContents& png, std::string* reason,
                      std::optional<RecipeRun>* run = nullptr);

} // namespace morv
