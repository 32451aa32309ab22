// SPDX-License-Identifier: GPL-3.0-or-later
// morvane: the desktop program.
#include "ui/program.h"

int main(int argc, char** argv) {
    return morv::ui::run_program(argc, argv);
}
