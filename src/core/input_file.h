#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace morv {

// Opens a file the program is about to read. Only a regular file is accepted:
// a pipe or a device could block the program or never end, and a directory is
// no input at all. Returns the descriptor (the caller closes it), or -1 with
// `reason` saying why, in the system's words where the system refused.
int open_input_file(const std::string& path, std::string& reason);

struct CloseStream {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using InputStream = std::unique_ptr<std::FILE, CloseStream>;

// The same file as a stream for reading: empty with `reason` set when refused.
InputStream open_input_stream(const std::string& path, std::string& reason);

} // namespace morv
