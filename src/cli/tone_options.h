// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morv {

// The renderer's options for a toned picture (--tone, --exposure, ...): each
// sets a value of the settings table, as --set would, after FILE and --type.
// Reads argv[i] if it is one of them, advancing i past its value, and adds
// the setting to `sets`. Returns false when argv[i] is not one of them;
// `err` is set on a bad value, naming the option and what it takes.
bool parse_tone_option(int argc, const char* const* argv, int& i,
                       std::vector<std::pair<std::string, std::string>>& sets,
                       std::optional<std::string>& err, std::string& name);

// Whether an option (by its main name) is one of them.
bool is_tone_option(const std::string& name);

} // namespace morv
