// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <cstdint>

namespace morv {

struct Params;

// The palette index (1..255) the speed methods give the point v reached from
// oldv.
std::uint32_t speed_color_index(const Params& ps, const Point3& v, const Point3& oldv);

} // namespace morv
