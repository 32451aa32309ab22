// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lane kernels of each width, from the file that compiles them for its
// instruction set (lanes_w1.cpp, lanes_w4.cpp, lanes_w8.cpp).
#include "formulas/lane_types.h"

namespace morv::lanes {

LaneKernel kernel_w1(int type, int method);
LaneKernel kernel_w4(int type, int method);
LaneKernel kernel_w8(int type, int method);

} // namespace morv::lanes
