// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/parse.h"

#include <cerrno>
#include <cstdlib>

namespace morv {

bool parse_int(const std::string& text, long long& out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') return false;
    out = v;
    return true;
}

bool parse_double(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == nullptr || *end != '\0') return false;
    out = v;
    return true;
}

} // namespace morv
