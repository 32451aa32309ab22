// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv {

// The memory a render may use: MORVANE_MEMORY_LIMIT (bytes) when set, else
// what the system reports as available, and no more than the address space
// left under the process's limit (ulimit -v).
unsigned long long memory_budget();

} // namespace morv
