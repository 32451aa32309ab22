// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace morv {

// A file named on the command line and what names it ("-o", "palette file").
struct NamedPath {
    std::string option;
    std::string path;
};

// Two outputs that are one file, or an output that is one of the inputs,
// would lose a file: the message refusing the run, or nothing when all differ.
std::optional<std::string> find_path_clash(const std::vector<NamedPath>& outputs,
                                           const std::vector<NamedPath>& inputs);

} // namespace morv
