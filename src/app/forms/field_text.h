// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings.h"

#include <string>
#include <string_view>

namespace morv::app {

// A dialog reads at most this many characters of a field.
inline constexpr std::size_t kFieldChars = 29;

// Base-10 integer at the start of a field (after blanks, with an optional
// sign); text that does not begin with a number reads as 0, and numbers
// beyond the int range saturate.
int read_int(std::string_view text);

// Decimal real at the start of a field, like read_int. Only plain decimal
// notation counts: "inf", "nan" and hexadecimal read as 0 (or, for "0x..",
// as the 0 before the x), so a field never yields a NaN; an exponent beyond
// the double range gives an infinity or 0, which the clamps then handle.
// The reading does not depend on the locale.
double read_double(std::string_view text);

// "%d" and "%.Nf", independent of the locale.
std::string show_int(int v);
std::string show_fixed(double v, int decimals);

// The clamp of the numeric fields: a value at or beyond a bound becomes that bound.
inline double clamp_to(double v, double lo, double hi) {
    if (v <= lo) return lo;
    if (v >= hi) return hi;
    return v;
}
// The other clamp: only a value beyond a bound is replaced (a -0.0 at a bound
// of 0 stays -0.0).
inline double clamp_between(double v, double lo, double hi) {
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}
inline int clamp_to(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

// The same clamps to a setting's limits.
inline double clamp_to(double v, Limits l) {
    return clamp_to(v, l.lo, l.hi);
}
inline double clamp_between(double v, Limits l) {
    return clamp_between(v, l.lo, l.hi);
}
inline int clamp_to(int v, Limits l) {
    return clamp_to(v, trunc32(l.lo), trunc32(l.hi));
}

// A colour component: 0..255.
inline int read_component(std::string_view text) {
    return clamp_to(read_int(text), kColourComponent);
}

} // namespace morv::app
