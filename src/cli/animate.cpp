// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/animate.h"

#include "cli/frame_names.h"
#include "cli/interrupt.h"
#include "cli/messages.h"
#include "cli/recipe_run.h"
#include "cli/render_run.h"
#include "cli/session.h"
#include "cli/tone_run.h"
#include "cli/video_pipe.h"
#include "color/filters.h"
#include "core/catalogue.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/file_identity.h"
#include "files/image.h"
#include "files/png.h"
#include "formulas/steps.h"

#include <cstdio>

namespace morv {

namespace {

constexpr int kExitWrite = 1;
constexpr int kExitUsage = 2;
constexpr int kExitMemory = 4;
constexpr int kExitSignalBase = 128;

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "morvane-render: %s\n", message.c_str());
    return status;
}

// A state as a lone render of the first key starts (clock, waits, canvas),
// with the frame's parameter set in place.
std::optional<std::string> frame_state(const CliOptions& o, const Params& frame, State& s,
                                       bool& no_memory) {
    s.steps = &fpointer;
    no_memory = true;
    if (!set_resolution(s, o.res))
        return "not enough memory for a " + std::to_string(o.res) + " x " + std::to_string(o.res) +
               " image";
    CliOptions first = o;
    first.atr_in = o.explore.animation.keys.front();
    if (auto e = prepare(s, first)) return e;
    static_cast<Params&>(s) = frame;
    // A toned frame accumulates its density as a lone toned render does.
    return ready_toned_render(s, o, no_memory);
}

// A frame file that was written whole for these parameters: it reads as a
// PNG to its end, and its record and view load as the frame's own.
bool frame_complete(const std::string& path, const Params& frame) {
    PngContents png;
    std::string why;
    if (!readpng(path, png, true, why) || png.width != frame.res) return false;
    Params loaded = frame;
    return load_png_parameters(loaded, path, &why) == kAtrLoadOk && loaded == frame;
}

int filter(State& s, const std::string& name) {
    if (name.empty()) return kFilterDone;
    const int rc = name == "normalize"  ? normalize(s)
                   : name == "equalize" ? equalize(s)
                                        : logadjust(s);
    if (rc != kFilterDone)
        std::fprintf(stderr, "morvane-render: --filter %s not applied: %s\n", name.c_str(),
                     filter_result_text(rc));
    return rc;
}

// Renders one frame into `s`, toned into `toned` when the frame tones; 0 or
// the exit status of a failure.
int draw_frame(const CliOptions& o, const Params& frame, State& s, TonedImage& toned) {
    bool no_memory = false;
    if (auto e = frame_state(o, frame, s, no_memory))
        return fail(no_memory ? kExitMemory : kExitUsage, *e);
    RenderDone done;
    RenderFailure failure = RenderFailure::Usage;
    if (auto e = render(s, o.iterations, o.engine, false, done, failure))
        return fail(failure == RenderFailure::Memory  ? kExitMemory
                    : failure == RenderFailure::Write ? kExitWrite
                                                      : kExitUsage,
                    *e);
    if (const int sig = stop_signal(); sig != 0) return kExitSignalBase + sig;
    if (filter(s, o.filter) == kFilterNoMemory) return kExitMemory;
    if (s.picture.tone != 0)
        if (auto e = tone_render(s, toned)) return fail(kExitMemory, *e);
    return 0;
}

int write_frame(const State& s, const TonedImage& toned, const std::string& path,
                std::string& reason, const RecipeRun& run) {
    return s.picture.tone != 0 ? writeimage(s, png_pixels_of(toned), path, &reason, &run)
                               : writeimage(s, path, &reason, &run);
}

struct Span {
    long long first, end; // frames first..end-1
};

Span frames_to_draw(const AnimationOptions& a) {
    return a.range ? Span{a.range->first, a.range->second} : Span{0, a.frames};
}

bool is_key(const std::vector<std::string>& keys, const std::string& path) {
    for (const std::string& k : keys)
        if (same_file(atr_path_from_argument(k), path)) return true;
    return false;
}

int write_frames(const CliOptions& o, const std::vector<Params>& keys) {
    const AnimationOptions& a = o.explore.animation;
    const Span span = frames_to_draw(a);
    long long drawn = 0, kept = 0;
    for (long long f = span.first; f < span.end; ++f) {
        const std::string path = frame_path(o.output, f);
        if (is_key(a.keys, path))
            return fail(kExitUsage,
                        "frame " + std::to_string(f) + " would replace the key " + path);
        const Params frame = interpolate_keys(keys, f, a.frames, a.easing);
        if (frame_complete(path, frame)) {
            ++kept;
            continue;
        }
        State s;
        TonedImage toned;
        if (const int rc = draw_frame(o, frame, s, toned); rc != 0) return rc;
        // A frame file is whole or absent: it replaces a truncated one only
        // once it is written.
        std::string reason;
        const RecipeRun run = recipe_run_of(s, o, o.iterations, ClockLog{});
        if (const int rc = write_frame(s, toned, path, reason, run); rc != 0)
            return fail(kExitWrite,
                        std::string(kCliSaveError[rc - 1]) + " (" + path + "): " + reason);
        ++drawn;
        if (!o.quiet) std::fprintf(stderr, "frame %lld: wrote %s\n", f, path.c_str());
        if (const int sig = stop_signal(); sig != 0) return kExitSignalBase + sig;
    }
    if (!o.quiet)
        std::printf("%s: frames %lld..%lld of %lld: %lld rendered, %lld already complete\n",
                    std::string(catalogue[keys.front().type].name).c_str(), span.first,
                    span.end - 1, a.frames, drawn, kept);
    return 0;
}

int write_video(const CliOptions& o, const std::vector<Params>& keys) {
    const AnimationOptions& a = o.explore.animation;
    VideoPipe video;
    if (auto e = video.open(o.output, o.res, a.fps)) return fail(kExitWrite, *e);
    for (long long f = 0; f < a.frames; ++f) {
        State s;
        TonedImage toned;
        if (const int rc = draw_frame(o, interpolate_keys(keys, f, a.frames, a.easing), s, toned);
            rc != 0)
            return rc;
        if (auto e = video.add(s.canvas)) return fail(kExitWrite, *e);
        if (!o.quiet) std::fprintf(stderr, "frame %lld of %lld\n", f, a.frames);
    }
    if (auto e = video.finish()) return fail(kExitWrite, *e);
    if (!o.quiet)
        std::printf("%s: %lld frames, wrote %s\n",
                    std::string(catalogue[keys.front().type].name).c_str(), a.frames,
                    o.output.c_str());
    return 0;
}

} // namespace

std::optional<std::string> load_keys(const CliOptions& o, std::vector<Params>& keys) {
    keys.clear();
    for (const std::string& key : o.explore.animation.keys) {
        State s;
        s.steps = &fpointer;
        CliOptions one = o;
        one.atr_in = key;
        // The parameters alone: no canvas is needed to read a key.
        if (auto e = prepare(s, one)) return "key " + key + ": " + *e;
        keys.push_back(s);
        if (keys.back().type != keys.front().type)
            return "key " + key + " is of type " + std::to_string(keys.back().type) +
                   ", the first key of type " + std::to_string(keys.front().type) +
                   ": the keys of an animation share one type";
    }
    for (Params& k : keys) {
        k.res = o.res;
        k.dres = o.res;
    }
    return std::nullopt;
}

int animate(const CliOptions& o) {
    if (o.engine.merging || !o.engine.save_hits.empty() || o.engine.range)
        return fail(kExitUsage, "--animate renders whole frames: no --save-hits, --merge or "
                                "--orbit-range");
    if (o.analyze || !o.atr_out.empty())
        return fail(kExitUsage, "--animate takes no --analyze or --atr-out");
    std::vector<Params> keys;
    if (auto e = load_keys(o, keys)) return fail(kExitUsage, *e);
    catch_stop_signals();
    return is_video_path(o.output) ? write_video(o, keys) : write_frames(o, keys);
}

} // namespace morv
