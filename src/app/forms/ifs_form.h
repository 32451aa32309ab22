// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

namespace morv::app {

inline constexpr int kIfsCoefficient = 1220; // field 1220 + 6 * map + coefficient
inline constexpr int kIfsProbability = 1280; // field 1280 + map
inline constexpr int kIfsRestore = 1290;
inline constexpr int kIfsRed = 1293;      // red, green, blue: 1293..1295
inline constexpr int kIfsColoring = 1297; // radio 1297 + ifscmode

inline constexpr const char* kIfsSumWarning = "Sum of p values must equal 100.";

// The IFS maps, their probabilities, the colouring and the monochrome colour.
// Maps and probabilities are stored as they are read, so an OK rejected for
// the probabilities' sum keeps them even if the dialog is then cancelled.
class IfsForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
};

} // namespace morv::app
