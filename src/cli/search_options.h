// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/steered_search.h"

#include <optional>
#include <string>

namespace morv {

// Reads argv[i] when it is one of the steering options of --random
// (--lyapunov-range, --ky-range, --freeze, --spread) and its value; false
// when it is none of them. A usage error goes to `err`.
bool parse_search_option(int argc, const char* const* argv, int& i, SearchSteering& out,
                         std::optional<std::string>& err);

} // namespace morv
