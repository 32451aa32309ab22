// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv::ui {

// The desktop program: `morvane [--no-splash] [FILE.atr]`. Returns the exit code.
int run_program(int argc, char** argv);

} // namespace morv::ui
