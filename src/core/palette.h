// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <array>

namespace morv {

using RGB = std::array<unsigned char, 3>;
using Palette = std::array<RGB, 256>;

extern const Palette defpal1; // warm to cool
extern const Palette defpal2; // a spectrum from purple to red and grey

// Copies a built-in palette (or any 256 entries) into the current palette.
inline void genpalette(Palette& palette, const Palette& buffer) {
    palette = buffer;
}

inline Rgb palette_color(const Palette& palette, unsigned i) {
    const RGB& e = palette[i & 0xFF];
    return rgb(e[0], e[1], e[2]);
}

} // namespace morv
