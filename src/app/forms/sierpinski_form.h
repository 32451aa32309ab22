// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

namespace morv::app {

inline constexpr int kSierpinskiShape = 670;    // radio 670 + smode
inline constexpr int kSierpinskiColoring = 691; // radio 691 + scmode
inline constexpr int kSierpinskiRed = 685;      // red, green, blue: 685..687

// The Sierpinski Polygons options: shape, colouring and the monochrome colour.
class SierpinskiForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
};

} // namespace morv::app
