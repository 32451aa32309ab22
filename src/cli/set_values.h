#pragma once

#include <optional>
#include <string>

namespace morv {

struct State;

// Sets one named state value from text (names as in the usage of --set);
// on a bad name or value returns the message and leaves the state unchanged.
std::optional<std::string> set_state_value(State& s, const std::string& name,
                                           const std::string& value);

} // namespace morv
