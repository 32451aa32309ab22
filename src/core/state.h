#pragma once

#include "core/catalogue.h"
#include "core/params.h"
#include "core/render_context.h"

#include <array>
#include <deque>
#include <string>
#include <vector>

namespace morv {

// One program instance: its parameter set, one render context over it, and
// what the files, the analysis and the application keep. The desktop program
// owns one; the renderer, the benchmarks and every test make their own.
struct State : Params, RenderContext {
    State(); // the start-up defaults

    int okrun = 0;          // rendering runs
    std::deque<int> posted; // commands posted to the main window, oldest first

    // Files, palettes and analysis.
    std::string file;                    // the .map palette file last chosen
    Palette paltemp{};                   // a .map palette waiting for acceptance
    std::string tgafile;                 // the image last saved
    std::string oatrfile;                // the parameter file to load
    std::string satrfile, satrfiletitle; // the parameter file to save
    double LExp = 0.0;                   // last Lyapunov exponent, bits per iteration
    double FD = 0.0;                     // last box-counting dimension
    PARAM RP{};                          // the random search's current candidate
    int debugflag = 0;                   // show each accepted random set for confirmation

    // Dialogs.
    int trackpos = 1; // the line-width slider's last position, 0..2; kept between openings

    // Application.
    int advisory = 1, nadvisory = 1, eadvisory = 1, logadvisory = 1; // once-per-run advisories
    int aboutflag = 0;
    int frestore = 0, prestore = 0; // "restore default parameters on OK" of the IFS and PGM boxes
    // Snapshots taken before a dialog and compared afterwards.
    int savetype = 0, savemethod = 0, saveorder = 0, savepgmindex = 0, saveres = 0;
    PARAM savep{};
    MINMAX savemm{};
    VOXEL saverot{};
    COLORREF saveback = 0;
    // Menu items 100..199: grayed flags as command 165 last set them, and the
    // checked palette item (135, 140 or 145).
    std::array<bool, 100> grayed{};
    int checkedpalette = 140;
};

// The current type's step function; nullptr when none was handed in.
inline StepFn step_of(const Params& ps, const RenderContext& rc) {
    return rc.steps != nullptr && valid_type(ps.type) ? (*rc.steps)[ps.type] : nullptr;
}
inline StepFn step_of(const State& s) {
    return step_of(s, s);
}

// Sets the resolution and rebuilds the canvas black at that size; false, with
// nothing changed, when the canvas cannot be had.
bool set_resolution(State& s, int res);

// Gives the instance a window surface of the client area's size; false when
// it cannot be had (the surface stays empty and the next fresh start retries).
bool attach_window(State& s, int width, int height);

} // namespace morv
