// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace morv {

// Strict number readers for text a user or a file gives: the whole text must
// be the number (strtoll and strtod syntax, so "inf", "nan" and hexadecimal
// reals pass); false leaves `out` unchanged.
bool parse_int(const std::string& text, long long& out);
bool parse_double(const std::string& text, double& out);

} // namespace morv
