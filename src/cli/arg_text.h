// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace morv {

// The next word is an option, not a value, unless it is a number ("--seed
// -5"); a file whose name starts with '-' can be given as "./-name".
bool looks_like_option(const char* word);

// Strict number readers: the whole text must be the number.
bool parse_int(const std::string& text, long long& out);
bool parse_double(const std::string& text, double& out);

} // namespace morv
