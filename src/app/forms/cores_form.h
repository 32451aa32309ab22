// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

namespace morv::app {

struct Ui;

inline constexpr int kCoresOn = 1401;      // check: use all cores
inline constexpr int kCoresFast = 1402;    // check: the fast vector path
inline constexpr int kCoresOrbits = 1403;  // edit: K
inline constexpr int kCoresPoints = 1404;  // edit: the points over all orbits
inline constexpr int kCoresThreads = 1405; // edit: threads, 0 for one per core

// The render on every core: whether the picture is K orbits drawn on worker
// threads, in vector lanes or exactly, and how many points they share. A
// change starts the picture afresh.
class CoresForm : public Form {
  public:
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
};

// The dialog, while rendering is paused.
void edit_cores(Instance& s, Ui& ui);

} // namespace morv::app
