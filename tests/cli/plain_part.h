// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/hits_file.h"
#include "support/render.h"

#include <cstdio>
#include <string>
#include <vector>

namespace morv::test {

// A part rewritten in the plain form (the layout earlier versions wrote, still
// read), so that a test can edit its counts and sections at their offsets.
// Empty when it cannot be read.
inline std::vector<unsigned char> plain_part(const std::string& path) {
    HitsPart part;
    const std::string plain = path + ".plain";
    if (read_part(path, part) || write_part(part, plain, BodyForm::Plain)) return {};
    std::vector<unsigned char> bytes = read_file(plain);
    std::remove(plain.c_str());
    return bytes;
}

} // namespace morv::test
