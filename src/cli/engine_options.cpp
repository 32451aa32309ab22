// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/engine_options.h"

#include "cli/arg_text.h"
#include "formulas/orbits.h"

#include <algorithm>
#include <cstdlib>

namespace morv {

namespace {

std::optional<std::string> positive(const std::string& opt, const std::string& text, long long max,
                                    long long& out) {
    if (!parse_int(text, out) || out < 1 || out > max)
        return opt + ": expected a whole number 1.." + std::to_string(max) + ", got '" + text + "'";
    return std::nullopt;
}

std::optional<std::string> orbit_range(const std::string& text,
                                       std::optional<std::pair<long long, long long>>& out) {
    const auto colon = text.find(':');
    long long a = 0, b = 0;
    if (colon == std::string::npos || !parse_int(text.substr(0, colon), a) ||
        !parse_int(text.substr(colon + 1), b) || a < 0 || b <= a)
        return "--orbit-range: expected A:B with 0 <= A < B, got '" + text + "'";
    out = std::make_pair(a, b);
    return std::nullopt;
}

} // namespace

bool parse_engine_option(int argc, const char* const* argv, int& i, EngineOptions& out,
                         std::optional<std::string>& err) {
    const std::string arg = argv[i];
    if (arg == "--fast") {
        out.fast = true;
        return true;
    }
    const bool known = arg == "--orbits" || arg == "--threads" || arg == "--orbit-range" ||
                       arg == "--save-hits" || arg == "--merge" || arg == "--checkpoint" ||
                       arg == "--checkpoint-every" || arg == "--resume" ||
                       arg == "--save-density" || arg == "--retone";
    if (!known) return false;
    if (i + 1 >= argc || looks_like_option(argv[i + 1])) {
        err = arg + " needs a value";
        return true;
    }
    const std::string v = argv[++i];
    long long n = 0;
    if (arg == "--orbits") {
        if (!(err = positive(arg, v, kMaxOrbits, n))) out.orbits = n;
    } else if (arg == "--threads") {
        if (!(err = positive(arg, v, 1024, n))) out.threads = static_cast<int>(n);
    } else if (arg == "--orbit-range") {
        err = orbit_range(v, out.range);
    } else if (arg == "--save-hits" || arg == "--checkpoint" || arg == "--resume" ||
               arg == "--save-density" || arg == "--retone") {
        (arg == "--save-hits"      ? out.save_hits
         : arg == "--checkpoint"   ? out.checkpoint
         : arg == "--save-density" ? out.save_density
         : arg == "--retone"       ? out.retone
                                   : out.resume) = v;
        if (v.empty()) err = arg + ": empty file name";
    } else if (arg == "--checkpoint-every") {
        if (!(err = positive(arg, v, kMaxCheckpointSeconds, n))) out.checkpoint_every = n;
    } else {
        // Every part up to the next option.
        out.merging = true;
        out.merge.push_back(v);
        while (i + 1 < argc && argv[i + 1][0] != '-')
            out.merge.emplace_back(argv[++i]);
    }
    return true;
}

std::optional<std::string> check_engine_options(const EngineOptions& o) {
    if (o.range && o.range->second > o.orbits)
        return "--orbit-range: " + std::to_string(o.range->first) + ":" +
               std::to_string(o.range->second) + " goes beyond --orbits " +
               std::to_string(o.orbits);
    if (o.range && o.save_hits.empty())
        return std::string("--orbit-range draws part of an image: give --save-hits FILE and "
                           "combine the parts with --merge");
    if (o.fast && (o.merging || o.range || !o.save_hits.empty()))
        return std::string("--fast draws whole images; it does not make or merge parts yet");
    if (o.merging && (o.range || !o.save_hits.empty()))
        return std::string("--merge combines parts; it draws no orbits itself");
    return checkpoint_refusal(o);
}

std::optional<std::string> checkpoint_refusal(const EngineOptions& o) {
    if (o.checkpoint.empty()) return std::nullopt;
    if (o.merging) return std::string("--merge draws no orbits; there is nothing to --checkpoint");
    // A checkpoint keeps whole orbits; one orbit would be kept only once drawn.
    if (o.orbits < 2)
        return std::string("--checkpoint keeps the orbits drawn so far: give --orbits K "
                           "(64 or more keeps what a resume draws again small)");
    if (o.checkpoint == o.save_hits)
        return std::string("--checkpoint and --save-hits name the same file");
    return std::nullopt;
}

unsigned long long render_bytes(int res, const EngineOptions& o, int threads) {
    const unsigned long long px = static_cast<unsigned long long>(res) * res;
    // The canvas and the hit counts, plus per thread an orbit's own pair and
    // the totals when there are several orbits or parts.
    unsigned long long bytes = px * 8;
    if (o.orbits > 1 || o.merging || o.fast)
        bytes += px * 8 + static_cast<unsigned long long>(threads) * px * 8;
    return bytes;
}

} // namespace morv
