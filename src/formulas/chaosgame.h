// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace morv {

// The IFS map (0..5) that the random number r (0..99) selects by the running
// sums of the probabilities `fp`, whatever the table holds.
int fern_map(const std::array<int, 6>& fp, int r);

} // namespace morv
