// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/palette.h"
#include "core/types.h"

namespace morv {

class Surface;

inline constexpr int kPreviewWidth = 296;
inline constexpr int kPreviewHeight = 100;

// Draws the 296 x 100 palette preview onto `out` (resized to that size): a grey
// field, a three-line frame, the background colour `back` inside it and one
// 50-pixel vertical line per palette entry from x = 20 on.
void draw_palette_preview(const Palette& pal, Rgb back, Surface& out);

// Shows the preview of `pal` over `back` in the top-left corner of `target`
// (the window), cut to the target's size. Returns 0.
int showpalette(const Palette& pal, Rgb back, Surface& target);

} // namespace morv
