// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/field_text.h"

#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace morv::app {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The field as far as the dialog reads it, without leading blanks and with
// its sign taken off.
struct Signed {
    std::string_view rest;
    bool negative = false;
};
Signed start_of_number(std::string_view text) {
    if (text.size() > kFieldChars) text = text.substr(0, kFieldChars);
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i]))
        ++i;
    Signed s;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        s.negative = text[i] == '-';
        ++i;
    }
    s.rest = text.substr(i);
    return s;
}

std::size_t count_digits(std::string_view t, std::size_t from) {
    std::size_t n = 0;
    while (from + n < t.size() && is_digit(t[from + n]))
        ++n;
    return n;
}

} // namespace

int read_int(std::string_view text) {
    const Signed s = start_of_number(text);
    std::int64_t magnitude = 0;
    for (char c : s.rest) {
        if (!is_digit(c)) break;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{INT_MAX} + 1) break; // saturated either way
    }
    const std::int64_t v = s.negative ? -magnitude : magnitude;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

double read_double(std::string_view text) {
    const Signed s = start_of_number(text);
    const std::string_view t = s.rest;
    std::size_t n = count_digits(t, 0);
    std::size_t digits = n;
    if (n < t.size() && t[n] == '.') {
        const std::size_t frac = count_digits(t, n + 1);
        digits += frac;
        n += 1 + frac;
    }
    if (digits == 0) return 0.0;
    bool exponent_negative = false;
    if (n < t.size() && (t[n] == 'e' || t[n] == 'E')) {
        std::size_t e = n + 1;
        if (e < t.size() && (t[e] == '+' || t[e] == '-')) {
            exponent_negative = t[e] == '-';
            ++e;
        }
        const std::size_t exp_digits = count_digits(t, e);
        if (exp_digits > 0) n = e + exp_digits;
    }
    std::string number{t.substr(0, n)};
    double v = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), v,
                                   std::chars_format::general);
    // A field holds too few digits to leave the double range but by its exponent.
    if (r.ec == std::errc::result_out_of_range) v = exponent_negative ? 0.0 : HUGE_VAL;
    return s.negative ? -v : v;
}

std::string show_int(int v) {
    std::array<char, 16> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), r.ptr);
}

std::string show_fixed(double v, int decimals) {
    // Room for the largest double in fixed notation with its decimals.
    std::array<char, 400> buf{};
    const auto r =
        std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc{}) return "0";
    return std::string(buf.data(), r.ptr);
}

} // namespace morv::app
