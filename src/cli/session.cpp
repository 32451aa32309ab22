// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/session.h"

#include "cli/interrupt.h"
#include "cli/messages.h"
#include "cli/recipe_run.h"
#include "cli/set_values.h"
#include "cli/std_streams.h"
#include "color/bundled_maps.h"
#include "color/mapfile.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/parameter_file.h"
#include "files/record_check.h"

#include <algorithm>
#include <filesystem>

namespace morv {

namespace {

constexpr int kPacingSliceMs = 50;

bool path_exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// "; the bundled palettes are a, b, c", or nothing when none is installed.
std::string bundled_names_note() {
    const auto names = bundled_map_names();
    if (names.empty()) return "";
    std::string note = "; the bundled palettes are";
    for (std::size_t i = 0; i < names.size(); ++i)
        note += (i == 0 ? " " : ", ") + names[i];
    return note;
}

} // namespace

std::optional<std::string> load_palette(State& s, const std::string& palette) {
    if (palette == "1") {
        genpalette(s.palette, defpal1); // the start-up palette
        return std::nullopt;
    }
    if (palette == "2") {
        genpalette(s.palette, defpal2);
        return std::nullopt;
    }
    Palette loaded{};
    const auto found = find_palette(palette);
    if (!found && palette.find('/') == std::string::npos && !path_exists(palette))
        return "--palette: no file or bundled palette named '" + palette + "'" +
               bundled_names_note();
    const std::string path = found.value_or(palette);
    if (std::string reason; OpenMapFile(path, loaded, &reason) != 0)
        return std::string(kCliMapErrorText) + ": " + palette +
               (reason.empty() ? "" : ": " + reason);
    genpalette(s.palette, loaded);
    return std::nullopt;
}

namespace {

// Loads the parameter file, or the record (or PNG) on standard input: from
// its copy when it was spooled already.
std::optional<std::string> load_parameters(State& s, const std::string& atr,
                                           const std::string& stdin_copy) {
    std::string reason;
    if (atr != kStdStream) {
        if (load_parameter_file(s, atr, &reason) != kAtrLoadOk)
            return std::string(kCliAtrLoadErrorText) + ": " + atr + ": " + reason;
        return std::nullopt;
    }
    if (!stdin_copy.empty()) {
        if (load_parameter_file(s, stdin_copy, &reason) != kAtrLoadOk)
            return std::string(kCliAtrLoadErrorText) + ": standard input: " + reason;
        return std::nullopt;
    }
    const SpoolFile spool;
    if (auto e = read_stdin_into(spool))
        return std::string(kCliAtrLoadErrorText) + ": standard input: " + *e;
    if (load_parameter_file(s, spool.path(), &reason) != kAtrLoadOk)
        return std::string(kCliAtrLoadErrorText) + ": standard input: " + reason;
    return std::nullopt;
}

} // namespace

std::optional<std::string> prepare(State& s, const CliOptions& o, ClockLog* clock) {
    s.intro = 0; // the start-up image of the desktop program pauses at 25000; not here
    s.platform.now_seconds = [seed = o.seed, real = Platform::real().now_seconds, clock] {
        const std::int64_t now = seed ? *seed : real();
        return clock != nullptr ? clock->note(now) : now;
    };
    // Honoured waits are cut short by a stop signal, so that Ctrl-C is felt at once.
    if (o.pacing)
        s.platform.sleep_ms = [real = Platform::real().sleep_ms](int ms) {
            for (int left = ms; left > 0 && stop_signal() == 0; left -= kPacingSliceMs)
                real(std::min(left, kPacingSliceMs));
        };
    if (const std::string atr = atr_path_from_argument(o.atr_in); !atr.empty())
        if (auto e = load_parameters(s, atr, o.stdin_copy)) return e;
    if (o.type) s.type = *o.type;
    for (const auto& [name, value] : o.sets)
        if (auto e = set_state_value(s, name, value)) return e;
    // Checked once all are in: a window may pass through an inverted or
    // narrow state while its bounds are set one by one.
    if (auto bad = check_settings(s)) return bad;
    return o.keep_palette ? std::nullopt : load_palette(s, o.palette);
}

} // namespace morv
