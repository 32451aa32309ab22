// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-render: renders one image without a window.
#include "analysis/lyapunov.h"
#include "analysis/precise.h"
#include "analysis/precise_report.h"
#include "analysis/random.h"
#include "analysis/steered_search.h"
#include "cli/animate.h"
#include "cli/checkpoint.h"
#include "cli/gallery.h"
#include "cli/hits_file.h"
#include "cli/interrupt.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/path_clash.h"
#include "cli/recipe_run.h"
#include "cli/render_run.h"
#include "cli/retone.h"
#include "cli/session.h"
#include "cli/set_values.h"
#include "cli/std_streams.h"
#include "cli/tone_run.h"
#include "color/bundled_maps.h"
#include "color/filters.h"
#include "core/driver.h"
#include "core/state.h"
#include "files/atomic_file.h"
#include "files/atr.h"
#include "files/image.h"
#include "formulas/steps.h"
#include "formulas/tangent_models.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace morv {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitWrite = 1;
constexpr int kExitNotFound = 3;
constexpr int kExitMemory = 4;
constexpr int kExitSignalBase = 128;        // the shell's status for a process ended by a signal
constexpr double kShortestTimedRun = 0.001; // seconds; below it a rate is noise

int usage_error(const std::string& message) {
    std::fprintf(stderr, "morvane-render: %s\n", message.c_str());
    return kExitUsage;
}

void print_analysis(const ChaosMeasure& m) {
    std::printf("LExp %.15f\nFD %.15f\n", m.lexp, m.fd);
}

void print_set(const TypeParams& p) {
    std::printf("a %.15f\nb %.15f\nc %.15f\nd %.15f\nsp0 %.15f\nsp1 %.15f\n", p.a, p.b, p.c, p.d,
                p.sp0, p.sp1);
}

int not_found() {
    std::fprintf(stderr, "morvane-render: --random: no parameter set accepted among 99 "
                         "candidates; try another --seed\n");
    return kExitNotFound;
}

// The search steered by measured ranges, frozen coefficients or a spread.
int steered(State& s, const CliOptions& o) {
    if (const std::string why = spectrum_refusal(s, tangent_models); !why.empty())
        return usage_error("--random: " + std::string(morv::type_label(s.type)) +
                           " cannot be steered by its measures: " + why);
    const SteeredResult r = steered_search(s, o.steering, tangent_models);
    if (r.code == kRandomNotFound) return not_found();
    if (o.json) {
        std::fputs(
            search_json(s.type, r.set, r.spectrum, r.kaplan_yorke, r.candidates, std::nullopt)
                .c_str(),
            stdout);
        return 0;
    }
    print_set(s.p[s.type]);
    PreciseMeasure m;
    m.spectrum = r.spectrum;
    m.kaplan_yorke = r.kaplan_yorke;
    m.correlation.failure = "not measured by the search";
    std::fputs(precise_text(m).c_str(), stdout);
    return 0;
}

// The random search; on success prints the accepted set.
int search(State& s, const CliOptions& o) {
    if (!random_search_offered(s))
        return usage_error("--random: " + std::string(morv::type_label(s.type)) + " (type " +
                           std::to_string(s.type) + ") offers no random parameter search");
    if (o.steering.steered()) return steered(s, o);
    const RandomResult r = randomparams(s, ChaosMeasure{});
    if (r.code == kRandomNotFound) return not_found();
    if (o.json) {
        const SpectrumResult m = screening_spectrum(s, tangent_models);
        std::fputs(
            search_json(s.type, s.p[s.type], m.spectrum, kaplan_yorke(m.spectrum), -1, r.measure)
                .c_str(),
            stdout);
        return 0;
    }
    print_set(s.p[s.type]);
    print_analysis(r.measure);
    return 0;
}

int apply_filter(State& s, const std::string& filter) {
    int rc = kFilterDone;
    if (filter == "normalize")
        rc = normalize(s);
    else if (filter == "equalize")
        rc = equalize(s);
    else if (filter == "log")
        rc = logplain(s);
    else
        rc = logadjust(s);
    if (rc != kFilterDone)
        std::fprintf(stderr, "morvane-render: --filter %s not applied: %s; nothing written\n",
                     filter.c_str(), filter_result_text(rc));
    return rc;
}

int write_error(const std::string& message) {
    std::fprintf(stderr, "morvane-render: %s\n", message.c_str());
    return kExitWrite;
}

int memory_error(const std::string& message) {
    std::fprintf(stderr, "morvane-render: %s\n", message.c_str());
    return kExitMemory;
}

// The files this run writes: the part alone with --save-hits, else the image
// and the record when asked for.
std::vector<NamedPath> outputs_of(const CliOptions& o) {
    if (!o.engine.save_hits.empty()) {
        std::vector<NamedPath> outputs{{"--save-hits", o.engine.save_hits}};
        if (!o.engine.checkpoint.empty()) outputs.push_back({"--checkpoint", o.engine.checkpoint});
        return outputs;
    }
    std::vector<NamedPath> outputs;
    if (!o.engine.checkpoint.empty()) outputs.push_back({"--checkpoint", o.engine.checkpoint});
    if (o.output != kStdStream) outputs.push_back({"-o", o.output});
    if (!o.atr_out.empty()) outputs.push_back({"--atr-out", o.atr_out});
    if (!o.engine.save_density.empty())
        outputs.push_back({"--save-density", o.engine.save_density});
    return outputs;
}

// Outputs that are one file, or that are an input of this run, are refused
// before anything is rendered or written.
std::optional<std::string> path_clash(const CliOptions& o) {
    std::vector<NamedPath> inputs;
    if (const std::string atr = atr_path_from_argument(o.atr_in); !atr.empty() && atr != kStdStream)
        inputs.push_back({"parameter file", atr});
    if (o.palette != "1" && o.palette != "2")
        inputs.push_back({"palette file", find_palette(o.palette).value_or(o.palette)});
    for (const std::string& part : o.engine.merge)
        inputs.push_back({"part", part});
    if (!o.engine.retone.empty()) inputs.push_back({"density", density_path_for(o.engine.retone)});
    return find_path_clash(outputs_of(o), inputs);
}

// A save that cannot work is reported before the render, not after it.
int check_outputs(const CliOptions& o) {
    for (const NamedPath& out : outputs_of(o)) {
        if (const std::string why = AtomicFile::refusal(out.path); !why.empty()) {
            std::fprintf(stderr, "morvane-render: %s (%s): %s; nothing was rendered\n",
                         kCliSaveError[0], out.path.c_str(), why.c_str());
            return kExitWrite;
        }
    }
    return 0;
}

// A filter needs hit counts and 1000 iterations; known before the drawing,
// so refused before it rather than leaving an unfiltered image.
std::optional<std::string> filter_refusal(const State& s, const std::string& filter,
                                          long long calls) {
    if (filter.empty()) return std::nullopt;
    if (s.method[s.type] != kMethodHitCount)
        return "--filter " + filter + ": " + filter_result_text(kFilterNotHitCount) +
               " (give --set method=3)";
    if (calls < 1000)
        return "--filter " + filter + ": " + filter_result_text(kFilterTooFewIterations);
    return std::nullopt;
}

int write_error(int rc, const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "morvane-render: %s (%s): %s\n", kCliSaveError[rc - 1], path.c_str(),
                 reason.c_str());
    return kExitWrite;
}

// The toned picture when there is one, else the drawing.
int write_image(const State& s, const std::string& path, const TonedImage* toned,
                std::string* reason, const RecipeRun& run) {
    return toned != nullptr ? writeimage(s, png_pixels_of(*toned), path, reason, &run)
                            : writeimage(s, path, reason, &run);
}

// The image on standard output, whole or not at all.
int write_stdout_image(const State& s, const CliOptions& o, const TonedImage* toned,
                       const RecipeRun& run) {
    const SpoolFile spool(o.format == "tga" ? ".tga" : ".png");
    std::string reason = spool.error();
    if (const int rc = spool.path().empty() ? 1 : write_image(s, spool.path(), toned, &reason, run);
        rc != 0)
        return write_error(rc, "standard output", reason);
    if (auto e = write_to_stdout(spool)) return write_error("standard output: " + *e);
    return 0;
}

// The image, then the record if asked for; 0 or the exit status of a failure.
int write_outputs(State& s, const CliOptions& o, const TonedImage* toned, const RecipeRun& run) {
    std::string reason;
    if (o.output == kStdStream) {
        if (const int rc = write_stdout_image(s, o, toned, run); rc != 0) return rc;
    } else if (const int rc = write_image(s, o.output, toned, &reason, run); rc != 0)
        return write_error(rc, o.output, reason);
    if (!o.atr_out.empty()) {
        if (const int rc = write_parameter_file(s, o.atr_out, &reason); rc != kAtrWriteOk)
            return write_error(rc, o.atr_out, reason);
    }
    return 0;
}

// --help and --version answer and end the run before anything else.
std::optional<int> print_info(const CliOptions& o) {
    if (o.help) {
        std::fputs(kUsage, stdout);
        std::fputs(set_names_usage().c_str(), stdout);
        return 0;
    }
    if (o.version) {
        std::printf("morvane-render %s\n", MORVANE_VERSION);
        return 0;
    }
    if (o.list_types) {
        for (int type = 0; type < NTYPES; ++type)
            std::printf("%d\t%s\n", type, std::string(catalogue[type].name).c_str());
        return 0;
    }
    return std::nullopt;
}

// --merge: the parts' own resolution is what must fit in memory.
int set_up_merge(State& s, const CliOptions& o, long long& merged_calls) {
    HitsPart first;
    if (auto e = read_part_header(o.engine.merge.front(), first))
        return usage_error("--merge: " + *e);
    if (auto e = check_memory(s, static_cast<int>(first.res), o.engine)) return memory_error(*e);
    // Parts with sections may carry a density: the sum, one part and the
    // density toned from them.
    const unsigned long long densities =
        first.may_hold_sections() ? 3 * Density::bytes_for(first.res) : 0;
    if (render_bytes(static_cast<int>(first.res), o.engine, 1) + densities > memory_budget())
        return memory_error("--merge: the parts' densities at " + std::to_string(first.res) +
                            " x " + std::to_string(first.res) +
                            " need more memory than can be had");
    const bool recolour = std::find(o.given.begin(), o.given.end(), "--palette") != o.given.end();
    std::optional<PartDensity> density;
    if (auto e = merge(s, o.engine, recolour ? &o.palette : nullptr, merged_calls, density))
        return usage_error(*e);
    try {
        if (auto e = ready_toned_merge(s, o, std::move(density))) return usage_error(*e);
    } catch (const std::bad_alloc&) {
        return memory_error("--merge: not enough memory for the parts' density");
    }
    return 0;
}

// The state to draw: summed from --merge parts, or made from the parameter
// file and the options. 0 or the exit status of a failure.
int set_up_state(State& s, const CliOptions& o, long long& merged_calls, ClockLog& clock) {
    if (o.engine.merging) return set_up_merge(s, o, merged_calls);
    // A resumed render's totals are in memory already, checked before they were read.
    if (auto e = check_memory(s, o.res, o.engine); e && !o.engine.resumed) return memory_error(*e);
    if (!set_resolution(s, o.res))
        return memory_error("not enough memory for a " + std::to_string(o.res) + " x " +
                            std::to_string(o.res) + " image");
    if (auto e = prepare(s, o, &clock)) return usage_error(*e);
    bool no_memory = false;
    if (auto e = ready_toned_render(s, o, no_memory))
        return no_memory ? memory_error(*e) : usage_error(*e);
    return 0;
}

// A density is saved only beside a toned picture: refused before the drawing.
int set_up(State& s, const CliOptions& o, long long& merged_calls, ClockLog& clock) {
    if (const int rc = set_up_state(s, o, merged_calls, clock); rc != 0) return rc;
    if (!o.engine.save_density.empty() && s.picture.tone == 0)
        return usage_error("--save-density: the picture is not toned (--tone log); there is no "
                           "density to save");
    return 0;
}

std::string type_label(const State& s) {
    return std::string(morv::type_label(s.type)) + " (type " + std::to_string(s.type) + ")";
}

// --analyze --precise or --json: the estimate (where the type gives one),
// then the spectrum and the dimensions, or the reason they cannot be had.
int analyze_precisely(State& s, bool json) {
    const std::optional<ChaosMeasure> estimate =
        measurable(s) ? lyapunov(s) : std::optional<ChaosMeasure>{};
    const PreciseMeasure m = measure_precisely(s, tangent_models);
    if (!m.failure.empty()) {
        if (json) std::fputs(refusal_json(s.type, m.failure).c_str(), stdout);
        return usage_error("--precise: " + type_label(s) + " cannot be measured: " + m.failure);
    }
    if (json) {
        std::fputs(precise_json(s.type, m, estimate).c_str(), stdout);
        return 0;
    }
    if (estimate) print_analysis(*estimate);
    std::fputs(precise_text(m).c_str(), stdout);
    return 0;
}

int analyze(State& s, const CliOptions& o) {
    if (o.precise || o.json) return analyze_precisely(s, o.json);
    if (!measurable(s))
        return usage_error("--analyze: " + type_label(s) +
                           " draws by itself and gives no orbit to measure");
    print_analysis(lyapunov(s).value_or(ChaosMeasure{}));
    return 0;
}

// Renders, or takes the merged counts or the saved density as they are. 0 or
// the exit status of a failure.
int draw(State& s, const CliOptions& o, long long merged_calls, const ClockLog& clock,
         RenderDone& done) {
    if (o.engine.merging) {
        done.calls = merged_calls;
        return 0;
    }
    if (!o.engine.retone.empty()) {
        done.calls = o.iterations;
        bool no_memory = false;
        if (auto e = adopt_saved_density(s, o, recipe_run_of(s, o, done.calls, clock), no_memory))
            return no_memory ? memory_error(*e) : usage_error(*e);
        return 0;
    }
    RenderFailure failure = RenderFailure::Usage;
    const auto e = render(s, o.iterations, o.engine, !o.quiet, done, failure);
    if (!e) return 0;
    return failure == RenderFailure::Usage    ? usage_error(*e)
           : failure == RenderFailure::Memory ? memory_error(*e)
                                              : write_error(*e);
}

// Where the words go: standard error when the image goes to standard output.
std::FILE* text_stream(const CliOptions& o) {
    return o.output == kStdStream ? stderr : stdout;
}

// A rate is only shown over a time long enough to mean one; a merge adds
// counts that were drawn elsewhere, so its time is no drawing rate.
void print_summary(const State& s, const CliOptions& o, long long calls, double seconds,
                   bool with_hitmax, const std::string& wrote) {
    std::FILE* out = text_stream(o);
    const std::string name(catalogue[s.type].name);
    if (o.engine.merging)
        std::fprintf(out, "%s: %lld iterations merged from %zu parts, ", name.c_str(), calls,
                     o.engine.merge.size());
    else if (!o.engine.retone.empty())
        std::fprintf(out, "%s: %lld iterations toned again from %s, ", name.c_str(), calls,
                     density_path_for(o.engine.retone).c_str());
    else if (seconds >= kShortestTimedRun)
        std::fprintf(out, "%s: %lld iterations in %.3f s (%.0f per second), ", name.c_str(), calls,
                     seconds, calls / seconds);
    else
        std::fprintf(out, "%s: %lld iterations in under %.3f s, ", name.c_str(), calls,
                     kShortestTimedRun);
    if (with_hitmax) std::fprintf(out, "hitmax %u, ", s.hitmax);
    std::fprintf(out, "wrote %s\n", wrote == kStdStream ? "standard output" : wrote.c_str());
}

// The exit status after a complete save: a stop signal that came while saving
// let the save finish, and is still reported.
int after_save() {
    if (const int sig = stop_signal(); sig != 0) return kExitSignalBase + sig;
    return 0;
}

// After the drawing: nothing when interrupted (unless --save-partial, which
// never applies to a part: a part is whole or absent), the summary alone when
// the counts were saved, else the image filtered and written.
int finish(State& s, const CliOptions& o, const RenderDone& done, double seconds,
           const ClockLog& clock) {
    if (done.interrupted && done.checkpointed) {
        std::fprintf(stderr,
                     "morvane-render: interrupted after %lld iterations; the finished orbits are "
                     "kept in %s: continue with morvane-render --resume %s\n",
                     done.calls, o.engine.checkpoint.c_str(), o.engine.checkpoint.c_str());
        return kExitSignalBase + stop_signal();
    }
    if (done.interrupted && (!o.save_partial || !done.image)) {
        std::fprintf(stderr, "morvane-render: interrupted after %lld iterations; nothing written\n",
                     done.calls);
        return kExitSignalBase + stop_signal();
    }
    if (!done.image) {
        if (!o.quiet) print_summary(s, o, done.calls, seconds, false, o.engine.save_hits);
        return after_save();
    }
    if (!o.filter.empty())
        if (const int rc = apply_filter(s, o.filter); rc != kFilterDone)
            return rc == kFilterNoMemory ? kExitMemory : kExitUsage;
    if (!o.engine.save_density.empty()) {
        if (auto e = save_density(s, recipe_run_of(s, o, done.calls, clock), o.engine.save_density))
            return write_error("--save-density: " + *e);
    }
    TonedImage toned;
    if (s.picture.tone != 0)
        if (auto e = tone_render(s, toned)) return memory_error(*e);
    const RecipeRun run = recipe_run_of(s, o, done.calls, clock);
    if (const int rc = write_outputs(s, o, s.picture.tone != 0 ? &toned : nullptr, run); rc != 0)
        return rc;
    if (!o.quiet) print_summary(s, o, done.calls, seconds, o.engine.retone.empty(), o.output);
    return after_save();
}

// --resume: the checkpoint's own options, with where the image goes and the
// threads given anew, and its totals for the render to go on from.
std::optional<int> resumed_options(const CliOptions& given, CliOptions& o) {
    const std::string& path = given.engine.resume;
    HitsPart head;
    if (auto e = read_part_header(path, head)) return usage_error("--resume: " + *e);
    State probe;
    if (auto e = check_memory(probe, static_cast<int>(head.res), given.engine))
        return memory_error(*e);
    auto point = std::make_shared<ResumePoint>();
    if (auto e = read_checkpoint(path, *point)) return usage_error("--resume: " + *e);
    std::vector<const char*> argv{"morvane-render"};
    for (const std::string& a : point->run.args)
        argv.push_back(a.c_str());
    if (auto e = parse_options(static_cast<int>(argv.size()), argv.data(), o))
        return usage_error("--resume: " + path + ": its options are not sound: " + *e);
    if (!o.engine.resume.empty() || o.engine.checkpoint.empty())
        return usage_error("--resume: " + path + ": its options are not sound");
    const auto has = [&](const char* name) {
        return std::find(given.given.begin(), given.given.end(), name) != given.given.end();
    };
    if (has("-o")) o.output = given.output;
    if (has("--format")) o.format = given.format;
    if (has("--threads")) o.engine.threads = given.engine.threads;
    if (has("-q")) o.quiet = true;
    o.engine.resumed = std::move(point);
    return std::nullopt;
}

int run(const CliOptions& o);

int resume(const CliOptions& given) {
    CliOptions o;
    if (auto rc = resumed_options(given, o)) return *rc;
    return run(o);
}

int run(const CliOptions& o) {
    if (!o.engine.resume.empty()) return resume(o);
    // A checkpointed render reads the clock once, so that its checkpoint's
    // --seed reproduces every "seed from the clock" of it.
    if (!o.engine.checkpoint.empty() && !o.seed) {
        CliOptions fixed = o;
        fixed.seed = Platform::real().now_seconds();
        return run(fixed);
    }
    if (o.explore.animating()) return animate(o);
    if (o.explore.gallery != 0) return gallery(o);
    if (auto e = path_clash(o)) return usage_error(*e);
    ClockLog clock; // outlives the state, whose clock notes into it
    State s;
    s.steps = &fpointer;
    long long merged_calls = 0;
    if (const int rc = set_up(s, o, merged_calls, clock); rc != 0) return rc;
    if (o.analyze) return analyze(s, o);
    if (auto e = filter_refusal(s, o.filter, o.engine.merging ? merged_calls : o.iterations))
        return usage_error(*e);
    if (const int rc = check_outputs(o); rc != 0) return rc;
    if (o.random && !o.engine.merging)
        if (const int rc = search(s, o); rc != 0) return rc;

    catch_stop_signals();
    const auto start = std::chrono::steady_clock::now();
    RenderDone done;
    if (const int rc = draw(s, o, merged_calls, clock, done); rc != 0) return rc;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return finish(s, o, done, seconds, clock);
}

// What was printed must have reached its reader: a pipe closed early is said,
// not passed over.
int check_stdout(int status) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "morvane-render: could not write to standard output: %s\n",
                 errno == EPIPE ? "the reader went away" : std::strerror(errno));
    return status == 0 ? kExitWrite : status;
}

int run(int argc, char** argv) {
    ignore_write_signals();
    CliOptions o;
    if (auto e = parse_options(argc, argv, o)) return usage_error(*e + "\n" + kTryHelp);
    if (auto rc = print_info(o)) return check_stdout(*rc);
    // A Morvane PNG on standard input brings its recipe as a file does: it is
    // read once, for the recipe and then for the parameters.
    std::optional<SpoolFile> stdin_copy;
    if (o.atr_in == kStdStream) {
        stdin_copy.emplace();
        std::optional<std::string> e = stdin_copy->error();
        if (e->empty()) e = read_stdin_into(*stdin_copy);
        if (e) return usage_error(std::string(kCliAtrLoadErrorText) + ": standard input: " + *e);
        o.stdin_copy = stdin_copy->path();
    }
    take_recipe_defaults(o);
    return check_stdout(run(o));
}

} // namespace
} // namespace morv

int main(int argc, char** argv) {
    return morv::run(argc, argv);
}
