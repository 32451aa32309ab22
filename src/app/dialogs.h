// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

namespace morv::app {
struct Instance;
}

namespace morv::app {

// The modal dialogs by id (command_ids.h). Each reads and writes `Instance`
// itself, through its form, and returns kButton1 or kButton2. The desktop
// program plugs one view per dialog in; tests script the answers.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual int run(int id, Instance& s) = 0;
};

enum class Cursor {
    Cross,     // paused
    Hourglass, // rendering
    Wait,      // a long command (equalization, random search)
};

// What the command handlers need of the main window besides its surfaces.
class Host {
  public:
    virtual ~Host() = default;
    // Copies the whole canvas to the window surface and shows it at once, so
    // that nothing of a closed dialog stays on screen.
    virtual void repaint_now() = 0;
    // Shows what changed on the window surface.
    virtual void flush() = 0;
    virtual void set_cursor(Cursor c) = 0;
    // Ends the program (the destruction handling of the main window).
    virtual void quit() = 0;
    // Shows the window of precise measures (Lyapunov spectrum, dimensions),
    // which follows the parameter set by itself; nothing where there is none.
    virtual void show_measure() {}
    // Shows the window of the toned picture's settings (the picture re-toned
    // as its sliders move); nothing where there is none.
    virtual void show_tone() {}
    // Shows rectangle `r` of the window surface at its own place and scale
    // over the picture, whatever part and scale of the canvas is on view,
    // until an empty rectangle is pinned.
    virtual void pin_window_rect(const Rect& r) { (void)r; }
};

} // namespace morv::app
