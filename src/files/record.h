// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace morv {

struct Params;

// The parameter record as it lies in a .atr file: 624 bytes, little-endian,
// no padding (the doubles sit at multiples of 4). It is always serialized
// field by field, never by copying a struct.
struct ATR {
    std::int32_t type = 0;
    double a = 0, b = 0, c = 0, d = 0, sp0 = 0, sp1 = 0;
    double xstart = 0, ystart = 0, zstart = 0;
    std::uint32_t back = 0;
    std::int32_t redback = 0, greenback = 0, blueback = 0;
    std::uint32_t fore = 0;
    std::int32_t redfore = 0, greenfore = 0, bluefore = 0;
    double xrot = 0, yrot = 0, zrot = 0;
    std::array<std::array<double, 6>, 6> f{}; // IFS map i: a, b, c, d, e, f
    std::array<double, 6> fp{};               // IFS probabilities in percent
    std::int32_t vlmaxiter = 0;
    double vlmaxsize = 0, vlradius = 0;
    std::int32_t pgmindex = 0;
    std::array<double, 8> pgmx0{}, pgmy0{};
    std::int32_t smode = 0;
};

inline constexpr std::size_t kAtrSize = 624;
using AtrBytes = std::array<std::uint8_t, kAtrSize>;

// The record of the current state (type, its parameters and rotation, the
// colours, the IFS, Volterra-Lotka, Gingerbread Men and Sierpinski settings).
ATR atr_from_state(const Params& ps);
AtrBytes encode_atr(const ATR& r);
ATR decode_atr(const AtrBytes& bytes);

// Puts a valid record (files/record_check.h) into the state; everything not
// in the record (view window, resolution, speed, colouring method, palette,
// ...) stays.
void apply_atr(Params& ps, const ATR& r);

} // namespace morv
