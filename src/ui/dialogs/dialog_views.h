#pragma once

#include <functional>

#include <QImage>

class QWidget;

namespace morv {
struct State;
}
namespace morv::app {
class Prompts;
}

namespace morv::ui {

class QtDialogs;

// The dialogs built from the forms in src/app/forms. Each runs modally over
// `parent` on `s` and returns 1 (OK) or 2 (Cancel, Esc); messages go through
// `prompts`.
int run_param_dialog(QWidget* parent, State& s, app::Prompts& prompts);       // 300
int run_background_dialog(QWidget* parent, State& s, app::Prompts& prompts);  // 400
int run_color_dialog(QWidget* parent, State& s, app::Prompts& prompts);       // 500
int run_sierpinski_dialog(QWidget* parent, State& s, app::Prompts& prompts);  // 650
int run_pgm_formula_dialog(QWidget* parent, State& s, app::Prompts& prompts); // 700
int run_pgm_params_dialog(QWidget* parent, State& s, app::Prompts& prompts);  // 800
int run_ifs_dialog(QWidget* parent, State& s, app::Prompts& prompts);         // 1200
int run_vl_dialog(QWidget* parent, State& s, app::Prompts& prompts);          // 1300

// The options chart (600): its picture and "Close"; returns 1.
int run_options_chart(QWidget* parent, State& s);

// The about window, centred on the screen, with `parent` disabled until a
// key or click closes it; a picture that cannot be made gives the "Memory
// Problem" warning instead. Returns 1.
using MakePicture = std::function<QImage()>;
int run_about_window(QWidget* parent, State& s, app::Prompts& prompts, const MakePicture& make);

// Adds all of the above to the main window's dialogs (600 and the about
// window included), showing their messages with the main window's prompts.
void add_dialog_views(QtDialogs& dialogs);

} // namespace morv::ui
