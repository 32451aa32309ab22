// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/options.h"

#include <string>

namespace morv {

// The parameter file of candidate i (from 1) beside the sheet:
// "dir/sheet.png" -> "dir/sheet-3.atr".
std::string gallery_record_path(const std::string& sheet, int i);

// --random --gallery N: N candidates of the random search, each accepted by
// the search's own screening, written as records beside the sheet and
// rendered from them at --res into a contact sheet of sqrt(N) x sqrt(N)
// cells (-o). Candidate i draws with the clock value base + i, base being
// --seed (or the clock), so a seed gives the same gallery. Returns the exit
// status.
int gallery(const CliOptions& o);

} // namespace morv
