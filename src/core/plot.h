#pragma once

#include "core/types.h"

#include <cstdint>

namespace morv {

struct Params;
struct RenderContext;

// Colours the new pixel (and for "Speed - Lines" the segment from the previous
// one) by the current type's colouring method. Always returns 0.
int plot(const Params& ps, RenderContext& rc, int xplot1, int yplot1, int xplot0, int yplot0);

// The palette index (1..255) the speed methods give the point v reached from
// oldv.
std::uint32_t speed_color_index(const Params& ps, const VOXEL& v, const VOXEL& oldv);

} // namespace morv
