// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace morv {

// "-" in place of a file name: the parameter file is read from standard
// input, the image written to standard output.
inline constexpr const char* kStdStream = "-";

// A private temporary file, removed when the object goes. Standard input and
// output pass through one, so that the readers and writers stay those of
// files: a record is told from a PNG image by its first bytes, and an image
// leaves only once it is complete.
class SpoolFile {
  public:
    // `suffix` (".png", ".tga") chooses the format writeimage() gives it.
    explicit SpoolFile(const std::string& suffix = "");
    ~SpoolFile();
    SpoolFile(const SpoolFile&) = delete;
    SpoolFile& operator=(const SpoolFile&) = delete;

    // Empty when no temporary file could be made (`error()` says why).
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }

  private:
    std::string path_, error_;
};

// Copies all of standard input into `spool`; the reason on failure.
std::optional<std::string> read_stdin_into(const SpoolFile& spool);

// Copies the spool file to standard output; the reason on failure.
std::optional<std::string> write_to_stdout(const SpoolFile& spool);

} // namespace morv
