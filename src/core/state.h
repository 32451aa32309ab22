#pragma once

#include "core/catalogue.h"
#include "core/options.h"
#include "core/palette.h"
#include "core/platform.h"
#include "core/step_scratch.h"
#include "core/surface.h"
#include "core/types.h"

#include <array>
#include <deque>
#include <string>
#include <vector>

namespace morv {

// Everything one program instance changes. The desktop program owns one; the
// renderer, the benchmarks and every test make their own.
struct State {
    State(); // the start-up defaults

    // Working copies of the catalogue, per type.
    int type = 0;
    std::array<PARAM, NTYPES> p{};
    std::array<MINMAX, NTYPES> mm{};
    std::array<VOXEL, NTYPES> rot{};
    std::array<int, NTYPES> method{};
    int rotationorder = 0;
    int res = 600;
    double dres = 600.0;
    int speed = 3;
    int linewidth = 1;
    COLORREF back = rgb(255, 245, 230);
    COLORREF fore = rgb(0, 128, 48);

    // Driver.
    int firstloop = 1;
    int okrun = 0;
    VOXEL v{}, oldv{};
    int count = 0;              // transient counter, passed to the steps as iter
    int xplot0 = 0, yplot0 = 0; // the previous pixel
    int itercount = 0;
    std::vector<float> hitcount;
    unsigned hitmax = 0;
    int hcres = 0;
    int saveres = 0;
    int intro = 1;
    int lastresult = 0;     // the step result of the last driver call
    std::deque<int> posted; // commands posted to the main window, oldest first

    // Palette.
    Palette palette{};

    // Type options.
    int smode = 0, scmode = 0, ifscmode = 0;
    std::array<std::array<double, 6>, 6> f = fdef;
    std::array<int, 6> fp = fpdef;
    int vlmaxiter = 64;
    double vlmaxsize = 256.0;
    int vlcoloring = 0;
    double vlradius = 0.1;
    int showorbits = 0;
    int basinflag = 0;
    int pgmindex = 7;
    double pgmscale = kDefaultPgmScale;
    std::array<double, 8> pgmx0 = dpgmx0, pgmy0 = dpgmy0;
    int oddflag = 0, unityflag = 0, unitybasin = 0, rosslerflag = 0;
    int stormflag = 1;

    // Files, palettes and analysis.
    std::string file, filetitle;         // the .map palette file last chosen
    Palette paltemp{};                   // a .map palette waiting for acceptance
    std::string tgafile, tgafiletitle;   // the image last saved
    std::string oatrfile, oatrfiletitle; // the parameter file to load
    std::string satrfile, satrfiletitle; // the parameter file to save
    int logsquare = 0;                   // set around the squared-log filter; nothing reads it
    double LExp = 0.0;                   // last Lyapunov exponent, bits per iteration
    double FD = 0.0;                     // last box-counting dimension
    PARAM RP{};                          // the random search's current candidate
    PARAM savep{};                       // p[type] as the random search found it
    int debugflag = 0;                   // show each accepted random set for confirmation

    // Surfaces: the res x res image canvas, and the main window's client area
    // (empty for headless instances, so nothing is ever visible).
    Surface canvas;
    Surface window;
    Rect ClientRes{};

    // Dialogs.
    int trackpos = 1; // the line-width slider's last position, 0..2; kept between openings

    // The step functions the driver calls, handed in by whoever builds the
    // instance (none: every step pauses).
    const StepTable* steps = nullptr;

    // Waits, clock and random numbers.
    Platform platform;
    Random rng;

    // What the step functions keep between calls.
    StepScratch scratch;

    // Convenience for the step functions.
    int rand() { return rng.rand(); }
    int lrand() { return rng.lrand(); }
    double morvrandom() { return rng.morvrandom(); }
    void seed_from_clock() { rng.srand(static_cast<std::uint32_t>(platform.now_seconds())); }
    void sleep_ms(int ms) { platform.sleep_ms(ms); }

    // Application.
    int advisory = 1, nadvisory = 1, eadvisory = 1, logadvisory = 1; // once-per-run advisories
    int aboutflag = 0;
    int frestore = 0, prestore = 0; // "restore default parameters on OK" of the IFS and PGM boxes
    // Snapshots taken before a dialog and compared afterwards.
    int savetype = 0, savemethod = 0, saveorder = 0, savepgmindex = 0; // savep is above
    MINMAX savemm{};
    VOXEL saverot{};
    COLORREF saveback = 0;
    // Menu items 100..199: grayed flags as command 165 last set them, and the
    // checked palette item (135, 140 or 145).
    std::array<bool, 100> grayed{};
    int checkedpalette = 140;
};

// The current type's step function; nullptr when none was handed in.
inline StepFn step_of(const State& s) {
    return s.steps != nullptr && valid_type(s.type) ? (*s.steps)[s.type] : nullptr;
}

// The visible test: the window pixel is drawn too when it lies in the part of
// the image the window shows.
inline bool visible(const State& s, int x, int y) {
    return x < s.res && x < s.ClientRes.right && y < s.res && y < s.ClientRes.bottom && x >= 0 &&
           y >= 0;
}

// Drawing a dot: the canvas pixel always, the window pixel when visible.
inline void drawdot(State& s, int x, int y, COLORREF c) {
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(s.res) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(s.res))
        return;
    s.canvas.set_pixel(x, y, c);
    if (visible(s, x, y)) s.window.set_pixel(x, y, c);
}

// Sets the resolution and rebuilds the canvas black at that size; false, with
// nothing changed, when the canvas cannot be had.
bool set_resolution(State& s, int res);

// Gives the instance a window surface of the client area's size; false when
// it cannot be had (the surface stays empty and the next fresh start retries).
bool attach_window(State& s, int width, int height);

} // namespace morv
