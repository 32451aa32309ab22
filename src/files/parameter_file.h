// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/atr.h"

#include <string>

namespace morv {

struct Params;

// Loads the parameter file (or PNG image) at `path`. Returns a kAtrLoad*
// code (files/atr.h); on failure the parameters are unchanged and `reason`
// (if given) says why in English.
int loadatr(Params& s, const std::string& path, std::string* reason = nullptr);

} // namespace morv
