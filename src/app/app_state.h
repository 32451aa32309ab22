// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/lyapunov.h"
#include "analysis/steered_search.h"
#include "app/cores_settings.h"
#include "app/history.h"
#include "app/tone_view.h"
#include "core/driver.h"
#include "core/state.h"
#include "files/recipe.h"

#include <array>
#include <deque>
#include <memory>
#include <string>

namespace morv::app {

// What the desktop program keeps beside the picture: whether it renders, the
// command queue, file names, menus, advisories, dialog snapshots and the
// history. The engine never sees it.
struct AppState {
    bool rendering = false;   // rendering runs
    long long unsaved_ns = 0; // rendering time in the picture since its start or its last save
    std::deque<int> posted;   // commands posted to the main window, oldest first
    morv::Outcome outcome = morv::Outcome::Plotted; // what the last driver call did

    // Files and palettes: the names the file dialogs start from.
    std::string file;                    // the .map palette file last chosen
    Palette paltemp{};                   // a .map palette waiting for acceptance
    std::string tgafile;                 // the image last saved
    std::string oatrfile;                // the parameter file to load
    std::string satrfile, satrfiletitle; // the parameter file to save

    // The last measurement; a random search that measures nothing (Spirals)
    // shows it again.
    ChaosMeasure chaos{};
    int debugflag = 0; // show each accepted random set for confirmation
    // What steers F5 and the gallery beside the defined rule (Random Search
    // Options); nothing set leaves both as they were.
    SearchSteering steering;
    // Why the last steered search changed nothing, for the title until the
    // next command ("" when it found a set).
    std::string search_note;

    // Dialogs.
    int trackpos = 1; // the line-width slider's last position, 0..2; kept between openings

    int advisory = 1, nadvisory = 1, eadvisory = 1, logadvisory = 1; // once-per-run advisories
    int aboutflag = 0;
    int frestore = 0, prestore = 0; // "restore default parameters on OK" of the IFS and PGM boxes
    // Snapshots taken before a dialog and compared afterwards.
    int savetype = 0, savemethod = 0, saveorder = 0, savepgmindex = 0, saveres = 0;
    TypeParams savep{};
    ViewWindow savemm{};
    Point3 saverot{};
    Rgb saveback = 0;
    // Menu items 100..199: grayed flags as command 165 last set them, and the
    // checked palette item (135, 140 or 145).
    std::array<bool, 100> grayed{};
    int checkedpalette = 140;

    History history;     // the parameter sets the user can step back to
    ToneView tone;       // the toned picture, while toning
    CoresSettings cores; // the render on every core

    // How the picture on screen was drawn, for the recipe a saved PNG carries.
    long long image_calls = -1;  // driver calls since the image started afresh; -1 not counted
    long long image_orbits = 1;  // the orbits sharing them
    bool image_fast = false;     // drawn in vector lanes
    std::string applied_filter;  // the hit-count filter last applied ("" none) ...
    long long filter_calls = -1; // ... when the image had made this many calls
    // The clock values read since the image started; the desktop program's
    // clock notes into it.
    std::shared_ptr<ClockLog> clock_log = std::make_shared<ClockLog>();
};

// The desktop program's instance: the engine's parameter set and render
// context, and the application's own state.
struct Instance : State, AppState {};

// Sets the file dialogs' start names: `tgafile`, `oatrfile` and `satrfile`
// become the working directory `cwd` followed by "/*.tga", "/*.atr" and
// "/*.atr"; `file` is cleared.
void init_file_names(AppState& app, const std::string& cwd);

// The parameter set and the checked palette item, for the history.
ParameterSnapshot take_snapshot(const Params& ps, const AppState& app);
void restore_snapshot(Params& ps, AppState& app, const ParameterSnapshot& snap);

} // namespace morv::app
