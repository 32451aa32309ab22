// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

namespace morv::app {

inline constexpr int kColorMethod = 510; // radio 510 + i: method i + 1
inline constexpr int kColorWidthGroup = 520;
inline constexpr int kColorWidthSlider = 530; // positions 0..2: line width 1..3

// The colouring method dialog: the methods the type allows and the line
// width. The slider's position outlives the dialog (`trackpos`); the width
// changes only on OK.
class ColorForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
    void slider_moved(AppState& app, int id, int position) override;
};

} // namespace morv::app
