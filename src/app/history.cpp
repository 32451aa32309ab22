// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history.h"

namespace morv::app {

void History::changed(const ParameterSnapshot& before, const ParameterSnapshot& after) {
    if (before == after) return;
    if (back_.size() == kLimit) back_.erase(back_.begin());
    back_.push_back(before);
    ahead_.clear();
}

std::optional<ParameterSnapshot> History::back(const ParameterSnapshot& current) {
    return move_top(back_, ahead_, current);
}

std::optional<ParameterSnapshot> History::forward(const ParameterSnapshot& current) {
    return move_top(ahead_, back_, current);
}

std::vector<ParameterSnapshot> History::in_order(const ParameterSnapshot& current) const {
    std::vector<ParameterSnapshot> out = back_;
    out.push_back(current);
    // The nearest set ahead is on top.
    out.insert(out.end(), ahead_.rbegin(), ahead_.rend());
    return out;
}

// The newest set of `from`, with `current` kept on `to` in its place.
std::optional<ParameterSnapshot> History::move_top(std::vector<ParameterSnapshot>& from,
                                                   std::vector<ParameterSnapshot>& to,
                                                   const ParameterSnapshot& current) {
    if (from.empty()) return std::nullopt;
    ParameterSnapshot out = from.back();
    from.pop_back();
    to.push_back(current);
    return out;
}

} // namespace morv::app
