// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace morv {

struct CloseStream {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using InputStream = std::unique_ptr<std::FILE, CloseStream>;

// Opens a file the program is about to read. Only a regular file is accepted:
// a pipe or a device could block the program or never end, and a directory is
// no input at all. Returns the open stream, or none with `reason` saying why,
// in the system's words where the system refused.
InputStream open_input_stream(const std::string& path, std::string& reason);

} // namespace morv
