// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QImage>

class QWidget;

namespace morv::app {
struct AppState;
}
namespace morv::app {
class Prompts;
}

namespace morv::ui {

class QtDialogs;

// The options chart (600): its picture and "Close"; returns 1.
int run_options_chart(QWidget* parent);

// The about window, centred on the screen, with `parent` disabled until a
// key or click closes it; a picture that cannot be made gives the "Memory
// Problem" warning instead. Returns 1.
using MakePicture = std::function<QImage()>;
int run_about_window(QWidget* parent, app::AppState& app, app::Prompts& prompts,
                     const MakePicture& make);

// Adds every dialog to the main window's dialogs: one built from each form
// (make_form), the options chart and the about window, showing their
// messages with the main window's prompts. A new dialog needs a form in
// src/app (fields from the instance, OK and Cancel applied to it) and a row in
// make_form's table; the generic form dialog shows it. The command that opens
// it already calls Dialogs::run with that id.
void add_dialog_views(QtDialogs& dialogs);

} // namespace morv::ui
