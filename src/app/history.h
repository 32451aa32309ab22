// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/params.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace morv::app {

// What the user can step back to: the parameter set and the checked palette
// item. The resolution is not part of it (kept at 0 here): stepping back
// never rebuilds the canvas.
struct ParameterSnapshot {
    Params params;
    int checkedpalette = 0;

    bool operator==(const ParameterSnapshot&) const = default;
};

// Back and forward through the parameter sets the user has had. Each change
// records the set it replaced; a new change after stepping back drops the
// sets ahead.
class History {
  public:
    // `before` was replaced by `after`: remembered unless they are the same.
    void changed(const ParameterSnapshot& before, const ParameterSnapshot& after);
    // The set before `current`, which becomes the one ahead; empty at the start.
    std::optional<ParameterSnapshot> back(const ParameterSnapshot& current);
    // The set ahead of `current`; empty at the newest.
    std::optional<ParameterSnapshot> forward(const ParameterSnapshot& current);
    std::size_t behind() const { return back_.size(); }
    // Every set in the order the user had them: those behind, oldest first,
    // then `current`, then those ahead.
    std::vector<ParameterSnapshot> in_order(const ParameterSnapshot& current) const;
    std::size_t ahead() const { return ahead_.size(); }

    static constexpr std::size_t kLimit = 500; // sets kept behind; the oldest go first

  private:
    static std::optional<ParameterSnapshot> move_top(std::vector<ParameterSnapshot>& from,
                                                     std::vector<ParameterSnapshot>& to,
                                                     const ParameterSnapshot& current);
    std::vector<ParameterSnapshot> back_, ahead_;
};

} // namespace morv::app
