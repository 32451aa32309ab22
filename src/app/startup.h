// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace morv::app {
struct Instance;
}

namespace morv::app {

// The main window's creation handling once its client area is known: the
// window surface at that size, the file dialogs' start names in the working
// directory `cwd`, the parameter file named by the program's first argument
// (a file that cannot be loaded changes nothing), and command 165 posted so
// that rendering starts at once. The working copies already hold their
// defaults and the palette is the first built-in one. Returns the warning to
// show once the window is up, empty when there is none.
std::string create_main_window(Instance& s, int client_width, int client_height,
                               const std::string& cwd, std::string_view atr_argument);

} // namespace morv::app
