// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/options.h"

#include "cli/search_options.h"
#include "cli/tone_options.h"
#include "core/settings.h"
#include "core/types.h"
#include "files/image.h"

#include <algorithm>

namespace morv {

namespace {

std::optional<std::string> ranged_int(const std::string& opt, const std::string& text, long long lo,
                                      long long hi, long long& out) {
    if (!parse_int(text, out)) return opt + ": not a whole number: '" + text + "'";
    if (out < lo || out > hi)
        return opt + ": " + text + " is outside " + std::to_string(lo) + ".." + std::to_string(hi);
    return std::nullopt;
}

using Reason = std::optional<std::string>;

Reason set_type(const std::string& v, CliOptions& out) {
    long long n = 0;
    if (auto e = ranged_int("--type", v, 0, NTYPES - 1, n)) return e;
    out.type = static_cast<int>(n);
    return std::nullopt;
}

Reason set_res(const std::string& v, CliOptions& out) {
    long long n = 0;
    // The desktop program's smallest image; the renderer goes further up.
    const long long smallest = trunc32(setting_named("res").limits.lo);
    const long long largest = trunc32(setting_named("posterres").limits.hi);
    if (auto e = ranged_int("--res", v, smallest, largest, n)) return e;
    out.res = static_cast<int>(n);
    return std::nullopt;
}

Reason set_iterations(const std::string& v, CliOptions& out) {
    return ranged_int("--iterations", v, 0, 1LL << 50, out.iterations);
}

Reason add_set(const std::string& v, CliOptions& out) {
    const auto eq = v.find('=');
    if (eq == std::string::npos || eq == 0) return "--set: expected NAME=VALUE, got '" + v + "'";
    out.sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
    return std::nullopt;
}

template <std::string CliOptions::*Field> Reason set_text(const std::string& v, CliOptions& out) {
    out.*Field = v;
    return std::nullopt;
}

Reason set_filter(const std::string& v, CliOptions& out) {
    out.filter = v;
    if (v != "normalize" && v != "equalize" && v != "log" && v != "logsquare")
        return "--filter: unknown filter '" + v + "'";
    return std::nullopt;
}

Reason set_seed(const std::string& v, CliOptions& out) {
    long long n = 0;
    if (!parse_int(v, n)) return "--seed: not a whole number: '" + v + "'";
    out.seed = n;
    return std::nullopt;
}

Reason set_format(const std::string& v, CliOptions& out) {
    out.format = v;
    if (v != "png" && v != "tga") return "--format: expected png or tga, got '" + v + "'";
    return std::nullopt;
}

struct ValuedOption {
    const char* name;
    const char* alias;
    Reason (*set)(const std::string& value, CliOptions& out);
    bool names_file = false; // an empty value names no file: refused, not ignored
};

constexpr ValuedOption kValuedOptions[] = {
    {"--type", nullptr, set_type},
    {"--res", nullptr, set_res},
    {"--iterations", nullptr, set_iterations},
    {"--set", nullptr, add_set},
    {"--palette", nullptr, set_text<&CliOptions::palette>, true},
    {"--filter", nullptr, set_filter},
    {"--seed", nullptr, set_seed},
    {"-o", "--output", set_text<&CliOptions::output>, true},
    {"--atr-out", nullptr, set_text<&CliOptions::atr_out>, true},
    {"--format", nullptr, set_format},
};

struct Flag {
    const char* name;
    const char* alias;
    bool CliOptions::*field;
};

constexpr Flag kFlags[] = {
    {"-h", "--help", &CliOptions::help},
    {"--version", nullptr, &CliOptions::version},
    {"--list-types", nullptr, &CliOptions::list_types},
    {"--pacing", nullptr, &CliOptions::pacing},
    {"--analyze", nullptr, &CliOptions::analyze},
    {"--random", nullptr, &CliOptions::random},
    {"--precise", nullptr, &CliOptions::precise},
    {"--json", nullptr, &CliOptions::json},
    {"--save-partial", nullptr, &CliOptions::save_partial},
    {"-q", "--quiet", &CliOptions::quiet},
};

template <class Option, std::size_t N>
const Option* find_option(const Option (&table)[N], const std::string& arg) {
    for (const Option& o : table)
        if (arg == o.name || (o.alias != nullptr && arg == o.alias)) return &o;
    return nullptr;
}

// Reads argv[i] and, for an option with a value, the value after it.
Reason parse_argument(int argc, const char* const* argv, int& i, CliOptions& out) {
    const std::string arg = argv[i];
    if (const Flag* flag = find_option(kFlags, arg)) {
        out.*(flag->field) = true;
        out.given.emplace_back(flag->name);
        return std::nullopt;
    }
    if (const ValuedOption* option = find_option(kValuedOptions, arg)) {
        if (i + 1 >= argc || looks_like_option(argv[i + 1])) return arg + " needs a value";
        out.given.emplace_back(option->name);
        const std::string value = argv[++i];
        if (option->names_file && value.empty()) return arg + ": empty file name";
        return option->set(value, out);
    }
    Reason err;
    if (std::string name; parse_tone_option(argc, argv, i, out.sets, err, name)) {
        out.given.push_back(name);
        return err;
    }
    if (parse_engine_option(argc, argv, i, out.engine, err)) {
        out.given.push_back(arg);
        return err;
    }
    if (parse_search_option(argc, argv, i, out.steering, err)) {
        out.given.push_back(arg);
        return err;
    }
    if (parse_explore_option(argc, argv, i, out.explore, err)) {
        out.given.push_back(arg);
        return err;
    }
    if (arg.size() > 1 && arg[0] == '-') return "unknown option " + arg;
    if (arg.empty()) return std::string("empty parameter file name");
    if (!out.atr_in.empty()) return "more than one parameter file given: " + arg;
    out.atr_in = arg;
    return std::nullopt;
}

// Options that change the picture or how it is drawn; --merge draws the one
// the parts hold, so these would be silently lost there.
constexpr const char* kNotWithMerge[] = {"--type",   "--res",     "--iterations",  "--set",
                                         "--seed",   "--pacing",  "--analyze",     "--random",
                                         "--orbits", "--threads", "--save-partial"};

Reason merge_refusal(const CliOptions& o) {
    if (!o.engine.merging) return std::nullopt;
    if (!o.atr_in.empty())
        return "--merge takes the parameters from the parts; it reads no parameter file (" +
               o.atr_in + ")";
    for (const std::string& name : o.given)
        for (const char* refused : kNotWithMerge)
            if (name == refused)
                return "--merge draws the picture the parts hold; " + name +
                       " cannot change it: leave it out";
    return std::nullopt;
}

// Options about the image that --save-hits does not write.
constexpr const char* kNotWithSaveHits[] = {"-o", "--atr-out", "--filter", "--save-partial"};

Reason save_hits_refusal(const CliOptions& o) {
    if (o.engine.save_hits.empty()) return std::nullopt;
    for (const std::string& name : o.given)
        for (const char* refused : kNotWithSaveHits)
            if (name == refused)
                return "--save-hits writes a part, whole or not at all, and no image; " + name +
                       " belongs to the --merge of the parts";
    return std::nullopt;
}

// --resume takes the run from the checkpoint; only where its image goes and
// how it is drawn may be given anew.
constexpr const char* kWithResume[] = {"-o", "--format", "--threads", "-q", "--resume"};

Reason resume_refusal(const CliOptions& o) {
    const auto given = [&](const char* name) {
        return std::find(o.given.begin(), o.given.end(), name) != o.given.end();
    };
    if (given("--checkpoint-every") && o.engine.checkpoint.empty())
        return std::string("--checkpoint-every needs --checkpoint FILE");
    if (!o.engine.checkpoint.empty() && (o.explore.animating() || o.explore.gallery != 0))
        return std::string("--checkpoint keeps one render; --animate and --gallery make many");
    if (o.engine.resume.empty()) return std::nullopt;
    if (!o.atr_in.empty())
        return "--resume takes the parameters from the checkpoint; it reads no parameter file (" +
               o.atr_in + ")";
    for (const std::string& name : o.given)
        if (std::find_if(std::begin(kWithResume), std::end(kWithResume),
                         [&](const char* ok) { return name == ok; }) == std::end(kWithResume))
            return "--resume continues the render the checkpoint holds with its own options; "
                   "only -o, --format, --threads and -q may be given, not " +
                   name;
    return std::nullopt;
}

// The options --retone takes besides the tone options: where the picture goes
// and how the run reports.
constexpr const char* kWithRetone[] = {"--retone", "-o", "--format", "-q", "--threads"};

// --retone takes everything but the tone from the picture.
Reason density_file_refusal(const CliOptions& o) {
    const EngineOptions& e = o.engine;
    if (!e.save_density.empty() && (!e.save_hits.empty() || !e.retone.empty()))
        return std::string("--save-density writes the density beside the picture a render or a "
                           "--merge draws; not with --save-hits or --retone");
    if (e.retone.empty()) return std::nullopt;
    if (!o.atr_in.empty())
        return "--retone takes the parameters from the picture; it reads no parameter file (" +
               o.atr_in + ")";
    for (const std::string& name : o.given)
        if (!is_tone_option(name) && std::none_of(std::begin(kWithRetone), std::end(kWithRetone),
                                                  [&](const char* ok) { return name == ok; }))
            return "--retone tones the saved density again without drawing; " + name +
                   " would change the drawing: leave it out";
    return std::nullopt;
}

// Past the plain limit a render keeps only the orbits' summed counts per
// pixel (and a canvas); the one-orbit driver's buffers stop at the limit.
Reason poster_refusal(const CliOptions& o) {
    const int plain = trunc32(setting_named("renderres").limits.hi);
    if (o.res <= plain || o.engine.orbits > 1) return std::nullopt;
    return "--res " + std::to_string(o.res) + ": above " + std::to_string(plain) +
           " only with --orbits K (2 or more)";
}

} // namespace

std::optional<std::string> parse_options(int argc, const char* const* argv, CliOptions& out) {
    for (int i = 1; i < argc; ++i)
        if (auto e = parse_argument(argc, argv, i, out)) return e;
    out.engine.run_args.assign(argv + std::min(argc, 1), argv + argc);
    if (out.output.empty()) return std::string("--output: empty file name");
    // A named file's ending chooses its format; --format may only agree.
    if (!out.format.empty() && out.output != "-" &&
        is_png_path(out.output) != (out.format == "png"))
        return "--format " + out.format + " disagrees with the name " + out.output;
    if (out.analyze && out.random) return std::string("--analyze and --random exclude each other");
    // The accepted set is printed on standard output, where the image would go.
    if (out.random && out.output == "-")
        return std::string("--random prints its parameters on standard output; use -o FILE");
    if (out.precise && !out.analyze) return std::string("--precise needs --analyze");
    if (out.json && !out.analyze && !out.random)
        return std::string("--json needs --analyze or --random");
    if (out.steering.steered() && !out.random)
        return std::string("--lyapunov-range, --ky-range, --freeze and --spread need --random");
    // Standard output carries the JSON object alone.
    if (out.json) out.quiet = true;
    if (auto e = check_explore_options(out.explore, out.random, out.output)) return e;
    if (auto e = check_engine_options(out.engine)) return e;
    if (auto e = save_hits_refusal(out)) return e;
    if (auto e = resume_refusal(out)) return e;
    if (auto e = poster_refusal(out)) return e;
    if (auto e = density_file_refusal(out)) return e;
    // The picture to tone again is read as a parameter file is, its recipe
    // giving the run.
    if (!out.engine.retone.empty()) out.atr_in = out.engine.retone;
    return merge_refusal(out);
}

} // namespace morv
