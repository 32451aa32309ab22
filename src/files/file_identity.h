// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace morv {

// The path a save through `path` really writes: symbolic links are followed
// (also one whose target does not exist yet, which the save then creates).
// Gives up after 40 links, as the system does; `path` itself is returned then
// and the save reports the loop.
std::string follow_links(const std::string& path);

// Whether two paths name the same file: the same device and inode where both
// exist, otherwise the same absolute path once links, "." and ".." are resolved.
bool same_file(const std::string& a, const std::string& b);

} // namespace morv
