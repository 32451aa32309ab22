// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace morv {

class Surface;

// Writes the top-left res x res part of `canvas` to `path` as an uncompressed
// 24-bit TGA with a TGA 2.0 footer. 0 success, 1 the file could not be
// created, 2 no memory for a line, 3 a write failed. An existing file is only
// replaced once everything was written. On failure `reason` (if given) says
// why in the system's words.
int writetga(const Surface& canvas, int res, const std::string& path,
             std::string* reason = nullptr);

} // namespace morv
