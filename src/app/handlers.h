// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command handlers, grouped by topic; the command table in commands.cpp
// says when each is carried out (paused, and the PGM dialogs for PGM only).
#include <string>
#include <string_view>

namespace morv {
struct State;
}

namespace morv::app {

struct Instance;
struct Ui;

// commands.cpp
void toggle_rendering(Instance& s, Ui& ui);
void clear_screen(State& s, Ui& ui);

// type_commands.cpp
void choose_type(Instance& s, Ui& ui);
void pgm_formula(Instance& s, Ui& ui);
void pgm_parameters(Instance& s, Ui& ui);

// appearance_commands.cpp
void edit_parameters(Instance& s, Ui& ui);
void edit_coloring(Instance& s, Ui& ui);
void edit_background(Instance& s, Ui& ui);
void default_palette(Instance& s, int id);

// file_commands.cpp
void load_palette(Instance& s, Ui& ui);
void load_parameters(Instance& s, Ui& ui);
// The warning for a parameter file (or PNG image) at `path` that did not
// load, with the loader's reason, and its caption.
std::string atr_load_error_text(const std::string& path, const std::string& reason);
std::string_view load_error_caption(const std::string& path);
void save_parameters(Instance& s, Ui& ui);
void save_image(Instance& s, Ui& ui);

// analysis_commands.cpp
void random_parameters(Instance& s, Ui& ui);
void run_filter(Instance& s, Ui& ui, int id);

} // namespace morv::app
