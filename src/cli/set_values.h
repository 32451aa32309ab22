// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace morv {

struct Params;

// set_setting (core/settings.h) with --set's messages: on a bad name, an
// unreadable value or an index out of range returns the message and leaves
// the state unchanged. Other ranges are the business of check_settings
// (files/record_check.h), once every value is in.
std::optional<std::string> set_state_value(Params& ps, const std::string& name,
                                           const std::string& value);

// The names --set takes, one a line with their values and meaning, for --help.
std::string set_names_usage();

} // namespace morv
