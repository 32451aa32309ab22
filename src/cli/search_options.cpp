// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/search_options.h"

#include "cli/arg_text.h"
#include "core/parse.h"

#include <cmath>

namespace morv {

namespace {

using Reason = std::optional<std::string>;

// "LOW:HIGH", both finite, LOW <= HIGH.
Reason range(const std::string& opt, const std::string& v, std::optional<Range>& out) {
    const auto colon = v.find(':');
    Range r;
    if (colon == std::string::npos || !parse_double(v.substr(0, colon), r.low) ||
        !parse_double(v.substr(colon + 1), r.high) || !std::isfinite(r.low) ||
        !std::isfinite(r.high) || r.low > r.high)
        return opt + ": expected LOW:HIGH with LOW <= HIGH, got '" + v + "'";
    out = r;
    return std::nullopt;
}

// "a,c,sp0": the coefficients kept as they are.
Reason freeze(const std::string& v, std::array<bool, 6>& frozen) {
    std::size_t from = 0;
    while (from <= v.size()) {
        const std::size_t comma = std::min(v.find(',', from), v.size());
        const std::string name = v.substr(from, comma - from);
        bool known = false;
        for (std::size_t k = 0; k < kCoefficientNames.size(); ++k)
            if (name == kCoefficientNames[k]) frozen[k] = known = true;
        if (!known) return "--freeze: unknown coefficient '" + name + "' (a, b, c, d, sp0, sp1)";
        from = comma + 1;
    }
    return std::nullopt;
}

Reason spread(const std::string& v, std::optional<double>& out) {
    double p = 0;
    if (!parse_double(v, p) || !(p > 0 && p <= 100))
        return "--spread: expected a percentage above 0 and at most 100, got '" + v + "'";
    out = p;
    return std::nullopt;
}

} // namespace

bool parse_search_option(int argc, const char* const* argv, int& i, SearchSteering& out,
                         std::optional<std::string>& err) {
    const std::string arg = argv[i];
    const bool known =
        arg == "--lyapunov-range" || arg == "--ky-range" || arg == "--freeze" || arg == "--spread";
    if (!known) return false;
    if (i + 1 >= argc || looks_like_option(argv[i + 1])) {
        err = arg + " needs a value";
        return true;
    }
    const std::string v = argv[++i];
    if (arg == "--lyapunov-range")
        err = range(arg, v, out.largest_exponent);
    else if (arg == "--ky-range")
        err = range(arg, v, out.kaplan_yorke);
    else if (arg == "--freeze")
        err = freeze(v, out.frozen);
    else
        err = spread(v, out.spread_percent);
    return true;
}

} // namespace morv
