// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/hits_density.h"
#include "cli/options.h"
#include "color/tone.h"
#include "core/state.h"
#include "files/png.h"

#include <optional>
#include <string>

namespace morv {

// A toned render (the parameters' picture.tone) draws its orbit on a grid
// `oversample` times finer than the picture and accumulates a density there.
// After `prepare`: refuses what a toned render cannot do, checks its memory,
// moves the state to the finer grid and asks for the density. The message
// on failure; `no_memory` tells a lack of memory from a refusal.
std::optional<std::string> ready_toned_render(State& s, const CliOptions& o, bool& no_memory);

// After --merge: the parts' density, when they carry one, made ready to tone
// with the tone curve they were drawn with, the options' own values over it
// (the accumulated --oversample and --color-by cannot change); refuses tone
// options for parts without a density. std::bad_alloc when memory runs out.
std::optional<std::string> ready_toned_merge(State& s, const CliOptions& o,
                                             std::optional<PartDensity> density);

// After the drawing: the density filtered to the picture's size and toned
// into `img`; the state goes back to that size, its canvas showing the
// picture in 8 bits (what a TGA holds). The message on failure.
std::optional<std::string> tone_render(State& s, TonedImage& img);

// The picture's values for the PNG writer; `img` must outlive them.
PngPixels png_pixels_of(const TonedImage& img);

} // namespace morv
