// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/dialogs.h"
#include "app/prompts.h"
#include "core/driver.h"

namespace morv::app {

struct AppState;
struct Instance;

// What the command handlers talk to: message boxes and file dialogs, the
// modal dialogs, and the main window.
struct Ui {
    Prompts& prompts;
    Dialogs& dialogs;
    Host& host;
};

// Queues a command for the main window, carried out after the current one.
void post_command(AppState& app, int id);

// What a driver call means to the desktop program: a pause posts the Render /
// Pause / Resume command, as if the user had chosen it. True when it did.
// The outcome is kept for the status display.
bool take_outcome(AppState& app, Outcome o);

// Whether the program may end now. A picture with more than a few seconds
// of rendering not yet in a saved image is not thrown away unasked: Save runs
// the usual save and ends only when the image was saved, Discard ends,
// Cancel stays.
bool confirm_quit(Instance& s, Ui& ui);

// Carries out one command exactly as the main window does on receiving it.
// Commands it posts (165, 135, 150, 196) are left in `s.posted`.
void dispatch(Instance& s, Ui& ui, int id);

// Carries out the posted commands in order, including those they post in turn.
void drain_posted(Instance& s, Ui& ui);

// A command from the menu, an accelerator or a mouse click: nothing when the
// menu item is grayed, otherwise dispatched, then the posted commands.
void input_command(Instance& s, Ui& ui, int id);

} // namespace morv::app
