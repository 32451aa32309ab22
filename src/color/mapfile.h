// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/palette.h"

#include <cstddef>
#include <string>

namespace morv {

// Reads a Fractint .map text: line i gives entry i as three decimal integers
// (red, green, blue) separated by white space, each stored as its low 8 bits;
// the rest of a line is ignored, whatever its length. At most 256 lines are
// read; missing entries are (1, 1, 1). A line among them that does not start
// with three integers rejects the file, except that blank lines that only
// trail the data (up to the end of the file) are taken as its end. A text
// without any entry (empty, or only blank lines) is rejected.
// Text is fed in pieces of any size, then finish() gives the verdict.
class MapParser {
  public:
    // Returns false once the outcome is known (all lines read or a bad line):
    // the caller may stop feeding.
    bool feed(const char* data, std::size_t size);
    // True when the text is a palette; `out` then holds it.
    bool finish(Palette& out);
    // The line (from 1) that rejected the text, once finish() said so.
    int rejected_line() const { return line_ + pending_blank_ + 1; }

  private:
    enum class Phase { BeforeNumber, InNumber, AfterNumbers };
    void start_line();
    bool end_line(); // false when the line rejects the file
    bool take(char ch);

    Palette pal_{};
    int line_ = 0;          // entries read so far
    int pending_blank_ = 0; // blank lines not yet known to be trailing
    int numbers_ = 0;       // complete numbers on the current line
    Phase phase_ = Phase::BeforeNumber;
    bool negative_ = false, sign_only_ = false, blank_ = true, any_char_ = false;
    unsigned value_ = 0; // the number so far, modulo 256
    unsigned rgb_[3]{};
    bool failed_ = false, done_ = false;
};

// Parses a whole .map text held in memory.
bool parse_map(const char* data, std::size_t size, Palette& out);

// Reads the .map file at `path` into `out`. Returns 0 on success, 1 when it
// cannot be read or is not a palette (`out` then stays as it was). Only a
// regular file is read; `reason` (if given) says why a file could not be
// opened or read, or which line is not a palette entry.
int OpenMapFile(const std::string& path, Palette& out, std::string* reason = nullptr);

} // namespace morv
