// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

namespace morv::app {

inline constexpr int kPgmFormula = 720; // radio 720 + pgmindex
inline constexpr int kPgmScale = 810;
inline constexpr int kPgmX0 = 815;
inline constexpr int kPgmY0 = 820;
inline constexpr int kPgmRestore = 830;

// The Perturbated Gingerbread Men's formula.
class PgmFormulaForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
};

// Its scale and the start point of the current formula. A changed value asks
// for a fresh render; the restore box leaves the defaults to the main window.
class PgmParamsForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
};

} // namespace morv::app
