// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace morv {

// Folders that may hold the palettes shipped with the program, in the order
// they are searched: the folder in MORVANE_MAPS_DIR, the installed one beside
// the executable (../share/morvane/maps), then the source tree's data/maps for
// a build that was never installed (unless built without it, as packages are).
// Only folders that exist are listed.
std::vector<std::string> bundled_map_dirs();

// The names of the bundled palettes (file names without .map), sorted, each
// once: what --palette takes by name.
std::vector<std::string> bundled_map_names();

// What the palette file dialog starts from when the user has not chosen a
// folder yet: the first bundled folder with the dialog's pattern, or empty.
std::string palette_dialog_start();

// A palette named on the command line: the path itself when it names a file,
// otherwise the bundled palette NAME or NAME.map. Nothing when none exists.
std::optional<std::string> find_palette(const std::string& name);

} // namespace morv
