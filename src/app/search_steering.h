// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/steered_search.h"
#include "app/forms/form.h"

#include <string>

namespace morv::app {

struct Instance;
struct Ui;

// Random Search Options: the ranges of the largest exponent and the
// Kaplan-Yorke dimension, the frozen coefficients and the spread that steer
// F5 and the gallery. With nothing set both keep the program's own rule.
inline constexpr int kSteerLargestOn = 1410; // check box; low and high edits follow
inline constexpr int kSteerKyOn = 1420;      // the same for Kaplan-Yorke
inline constexpr int kSteerFrozen = 1430;    // check boxes a, b, c, d, sp0, sp1: 1430..1435
inline constexpr int kSteerSpread = 1440;    // edit: percent, empty for the whole range

class SteeringForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
};

// Reads a spread field: empty (or blanks) is no spread; otherwise a
// percentage above 0 and at most 100. False for anything else.
bool read_spread(const std::string& text, std::optional<double>& out);

// F5 steered by `s.steering`: the accepted set takes the place of the
// current one and the image starts afresh, its screening estimate measured
// for the Parameters dialog as F5's is. A search that changed nothing says
// why in `s.search_note`.
void steered_random_parameters(Instance& s, Ui& ui);

} // namespace morv::app
