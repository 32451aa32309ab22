// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

namespace morv::app {

inline constexpr int kVlH = 1310; // h, p: 1310, 1311
inline constexpr int kVlMaxiter = 1312;
inline constexpr int kVlMaxsize = 1313;
inline constexpr int kVlRadius = 1314;
inline constexpr int kVlColoring = 1320; // radio 1320 + vlcoloring
inline constexpr int kVlShowOrbits = 1335;

// The Volterra-Lotka options. Only a new colouring scheme asks for a fresh
// render; the numbers take effect as the image goes on.
class VlForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
};

} // namespace morv::app
