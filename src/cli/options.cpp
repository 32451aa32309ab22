#include "cli/options.h"

#include "core/types.h"

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

namespace {

std::optional<std::string> ranged_int(const std::string& opt, const std::string& text, long long lo,
                                      long long hi, long long& out) {
    if (!parse_int(text, out)) return opt + ": not a whole number: '" + text + "'";
    if (out < lo || out > hi)
        return opt + ": " + text + " is outside " + std::to_string(lo) + ".." + std::to_string(hi);
    return std::nullopt;
}

// The next word is an option, not a missing value, unless it is a number
// ("--seed -5"); a file whose name starts with '-' can be given as "./-name".
bool looks_like_option(const char* word) {
    return word[0] == '-' && word[1] != '\0' && !(word[1] >= '0' && word[1] <= '9') &&
           word[1] != '.';
}

} // namespace

std::optional<std::string> parse_options(int argc, const char* const* argv, CliOptions& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& v) -> std::optional<std::string> {
            if (i + 1 >= argc || looks_like_option(argv[i + 1])) return arg + " needs a value";
            v = argv[++i];
            return std::nullopt;
        };
        std::string v;
        std::optional<std::string> err;
        long long n = 0;
        if (arg == "-h" || arg == "--help") {
            out.help = true;
        } else if (arg == "--version") {
            out.version = true;
        } else if (arg == "--type") {
            if (!(err = value(v)) && !(err = ranged_int(arg, v, 0, NTYPES - 1, n)))
                out.type = static_cast<int>(n);
        } else if (arg == "--res") {
            if (!(err = value(v)) && !(err = ranged_int(arg, v, 200, 16384, n)))
                out.res = static_cast<int>(n);
        } else if (arg == "--iterations") {
            if (!(err = value(v)) && !(err = ranged_int(arg, v, 0, 1LL << 50, n)))
                out.iterations = n;
        } else if (arg == "--set") {
            if (!(err = value(v))) {
                const auto eq = v.find('=');
                if (eq == std::string::npos || eq == 0)
                    err = "--set: expected NAME=VALUE, got '" + v + "'";
                else
                    out.sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
            }
        } else if (arg == "--palette") {
            err = value(out.palette);
        } else if (arg == "--filter") {
            if (!(err = value(out.filter)) && out.filter != "normalize" &&
                out.filter != "equalize" && out.filter != "log" && out.filter != "logsquare")
                err = "--filter: unknown filter '" + out.filter + "'";
        } else if (arg == "--seed") {
            if (!(err = value(v)) && !parse_int(v, n))
                err = "--seed: not a whole number: '" + v + "'";
            else if (!err)
                out.seed = n;
        } else if (arg == "--pacing") {
            out.pacing = true;
        } else if (arg == "-o" || arg == "--output") {
            err = value(out.output);
        } else if (arg == "--atr-out") {
            err = value(out.atr_out);
        } else if (arg == "--analyze") {
            out.analyze = true;
        } else if (arg == "--random") {
            out.random = true;
        } else if (arg == "--save-partial") {
            out.save_partial = true;
        } else if (arg == "-q" || arg == "--quiet") {
            out.quiet = true;
        } else if (parse_engine_option(argc, argv, i, out.engine, err)) {
        } else if (!arg.empty() && arg[0] == '-') {
            err = "unknown option " + arg;
        } else if (out.atr_in.empty()) {
            out.atr_in = arg;
        } else {
            err = "more than one parameter file given: " + arg;
        }
        if (err) return err;
    }
    if (out.output.empty()) return std::string("--output: empty file name");
    if (out.analyze && out.random) return std::string("--analyze and --random exclude each other");
    if (auto e = check_engine_options(out.engine)) return e;
    return std::nullopt;
}

} // namespace morv
