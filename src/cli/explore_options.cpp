// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/explore_options.h"

#include "cli/frame_names.h"
#include "core/parse.h"
#include "files/image.h"

namespace morv {

namespace {

constexpr long long kMostFrames = 1LL << 40;
constexpr long long kMostFps = 1000;
constexpr long long kGallerySizes[] = {4, 9, 16, 25};

using Reason = std::optional<std::string>;

Reason count(const std::string& opt, const std::string& v, long long hi, long long& out) {
    if (!parse_int(v, out) || out < 1 || out > hi)
        return opt + ": expected a whole number 1.." + std::to_string(hi) + ", got '" + v + "'";
    return std::nullopt;
}

Reason frame_range(const std::string& v, std::optional<std::pair<long long, long long>>& out) {
    const auto colon = v.find(':');
    long long a = 0, b = 0;
    if (colon == std::string::npos || !parse_int(v.substr(0, colon), a) ||
        !parse_int(v.substr(colon + 1), b) || a < 0 || b <= a)
        return "--frame-range: expected A:B with 0 <= A < B, got '" + v + "'";
    out = std::pair{a, b};
    return std::nullopt;
}

Reason easing(const std::string& v, Easing& out) {
    if (v == "linear")
        out = Easing::Linear;
    else if (v == "spline")
        out = Easing::Spline;
    else
        return "--interpolate: expected linear or spline, got '" + v + "'";
    return std::nullopt;
}

Reason gallery_size(const std::string& v, long long& out) {
    if (parse_int(v, out))
        for (long long n : kGallerySizes)
            if (out == n) return std::nullopt;
    return "--gallery: expected 4, 9, 16 or 25 candidates, got '" + v + "'";
}

bool is_word(const char* arg) {
    return arg[0] != '-' || arg[1] == '\0';
}

} // namespace

bool parse_explore_option(int argc, const char* const* argv, int& i, ExploreOptions& out,
                          Reason& err) {
    const std::string arg = argv[i];
    const bool known = arg == "--animate" || arg == "--frames" || arg == "--frame-range" ||
                       arg == "--interpolate" || arg == "--fps" || arg == "--gallery";
    if (!known) return false;
    if (i + 1 >= argc || !is_word(argv[i + 1])) {
        err = arg + " needs a value";
        return true;
    }
    const std::string v = argv[++i];
    AnimationOptions& a = out.animation;
    if (arg == "--animate") {
        // Every key up to the next option.
        a.keys.push_back(v);
        while (i + 1 < argc && is_word(argv[i + 1]))
            a.keys.emplace_back(argv[++i]);
    } else if (arg == "--frames") {
        err = count(arg, v, kMostFrames, a.frames);
    } else if (arg == "--frame-range") {
        err = frame_range(v, a.range);
    } else if (arg == "--interpolate") {
        err = easing(v, a.easing);
    } else if (arg == "--fps") {
        err = count(arg, v, kMostFps, a.fps);
    } else {
        err = gallery_size(v, out.gallery);
    }
    return true;
}

Reason check_explore_options(const ExploreOptions& o, bool random, const std::string& output) {
    const AnimationOptions& a = o.animation;
    if (!o.animating()) {
        if (a.frames != 0 || a.range) return "--frames and --frame-range need --animate";
        if (o.gallery != 0 && !random) return "--gallery needs --random";
        if (o.gallery != 0 && !is_png_path(output))
            return "--gallery: the contact sheet is a PNG image: end -o in .png";
        return std::nullopt;
    }
    if (o.gallery != 0) return "--gallery and --animate exclude each other";
    if (random) return "--random and --animate exclude each other";
    if (a.keys.size() < 2) return "--animate needs at least two keys";
    if (a.frames == 0) return "--animate needs --frames N";
    if (a.range && a.range->second > a.frames)
        return "--frame-range: frames are numbered 0.." + std::to_string(a.frames - 1);
    if (is_video_path(output)) {
        if (a.range) return "--frame-range writes frame files, not a video";
        return std::nullopt;
    }
    return check_frame_pattern(output);
}

} // namespace morv
