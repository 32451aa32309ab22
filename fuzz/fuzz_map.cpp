// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the .map palette reader. The verdict and the palette must
// not depend on how the text arrives in pieces.
#include "color/mapfile.h"

#include <cstdint>
#include <cstdlib>

using namespace morv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    Palette whole{};
    const bool ok = parse_map(text, size, whole);

    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    MapParser parser;
    if (parser.feed(text, cut)) parser.feed(text + cut, size - cut);
    Palette pieces{};
    if (parser.finish(pieces) != ok || (ok && pieces != whole)) std::abort();
    return 0;
}
