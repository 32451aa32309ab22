#pragma once

#include <optional>
#include <string>

namespace morv {

struct Params;

// Sets one named state value from text (names as in the usage of --set);
// on a bad name or unreadable value returns the message and leaves the state
// unchanged. Ranges are the business of check_settings (files/record_check.h),
// once every value is in.
std::optional<std::string> set_state_value(Params& s, const std::string& name,
                                           const std::string& value);

// The names --set takes, one a line with their values and meaning, for --help.
std::string set_names_usage();

} // namespace morv
