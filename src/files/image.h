// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/png.h"

#include <string>

namespace morv {

struct Params;
struct State;

// Whether a path names a PNG image: it ends in ".png", in any letter case.
bool is_png_path(const std::string& path);

// The readable text a PNG carries beside the record: the type and its main
// parameters, one "name value" pair after another.
std::string png_description(const Params& s);

// Saves the image canvas: as PNG carrying the record of the state when the
// path ends in .png, as TGA otherwise. The codes of writetga; on failure
// `reason` (if given) says why.
int writeimage(const State& s, const std::string& path, std::string* reason = nullptr);

// The same with the pixels given apart from the canvas (a toned picture of
// the state, of any depth): a PNG of them, or a TGA of the canvas.
int writeimage(const State& s, const PngPixels& pixels, const std::string& path,
               std::string* reason = nullptr);

// Loads the record a PNG image carries into the state, with the checks of a
// parameter file, all or nothing. Returns a kAtrLoad* code; `reason` (if
// given) says why a load failed.
int load_png_parameters(Params& s, const std::string& path, std::string* reason);

} // namespace morv
