// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <cstdint>

namespace morv {

struct Params;
struct RenderContext;

// Colours the new pixel (and for "Speed - Lines" the segment from the previous
// one) by the current type's colouring method. Always returns 0.
int plot(const Params& ps, RenderContext& rc, int xplot1, int yplot1, int xplot0, int yplot0);

} // namespace morv
