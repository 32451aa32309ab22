// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/type_ids.h"

#include <cstdint>

namespace morv {

// The number of attractor types: one for each TypeId.
inline constexpr int NTYPES = kTypeCount;

// A point of an attractor in its own coordinates, or three rotation angles.
struct Point3 {
    double x = 0, y = 0, z = 0;
    bool operator==(const Point3&) const = default;
};

struct TypeParams {
    double xstart = 0, ystart = 0, zstart = 0, a = 0, b = 0, c = 0, d = 0, sp0 = 0, sp1 = 0;
    bool operator==(const TypeParams&) const = default;
};

struct ViewWindow {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool operator==(const ViewWindow&) const = default;
};

// red + 256 * green + 65536 * blue
using Rgb = std::uint32_t;

constexpr Rgb rgb(int r, int g, int b) {
    return static_cast<Rgb>(r & 0xFF) | (static_cast<Rgb>(g & 0xFF) << 8) |
           (static_cast<Rgb>(b & 0xFF) << 16);
}
constexpr int red_of(Rgb c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int green_of(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blue_of(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// A rectangle with the right and bottom edges excluded.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr bool empty() const { return right <= left || bottom <= top; }
};

} // namespace morv
