// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

namespace morv::app {

// The background colour dialog.
inline constexpr int kBackRed = 410; // red, green, blue: 410..412

class BackgroundForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
};

} // namespace morv::app
