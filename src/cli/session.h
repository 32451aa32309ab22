// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/options.h"

#include <optional>
#include <string>

namespace morv {

struct State;
class ClockLog;

// Sets up a fresh state, its canvas already sized, as the program starts
// (without the start-up image's pause), then applies the options in order: the parameter record,
// --type, the --set values and the palette. Every setting is then checked as a loaded record is, so
// a value no dialog could give is refused, not rendered. On failure returns the one-line message.
// Every clock value the run reads goes through `clock` (if given).
std::optional<std::string> prepare(State& s, const CliOptions& o, ClockLog* clock = nullptr);

// Sets the palette --palette names: 1, 2, a .map file or a bundled palette.
std::optional<std::string> load_palette(State& s, const std::string& palette);

} // namespace morv
