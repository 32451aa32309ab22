// SPDX-License-Identifier: GPL-3.0-or-later
// Settings as text: read from a user or a file, and written so that they read
// back to the same value.
#include "core/parse.h"
#include "core/settings.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

namespace morv {

namespace {

using Refusal = std::optional<SettingRefusal>;

Refusal bad_value(std::string why) {
    return SettingRefusal{SettingRefusal::Why::BadValue, std::move(why)};
}

// The value as given: "pgmindex is 08; it must lie in 0..7".
Refusal outside(std::string_view name, const std::string& text, Limits l, SettingKind kind) {
    return SettingRefusal{SettingRefusal::Why::Outside, std::string(name) + " is " + text +
                                                            "; it must lie in " +
                                                            limits_text(l, kind)};
}

Refusal read_whole(std::string_view name, const std::string& text, double& out) {
    long long n = 0;
    if (!parse_int(text, n)) return bad_value("not a whole number");
    const Limits stored{INT32_MIN, INT32_MAX};
    out = static_cast<double>(n);
    if (!stored.admits(out)) return outside(name, text, stored, SettingKind::Whole);
    return std::nullopt;
}

Refusal read_colour(const Setting& row, const std::string& text, double& out) {
    int r = 0, g = 0, b = 0, used = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d%n", &r, &g, &b, &used) != 3 ||
        used != static_cast<int>(text.size()))
        return bad_value("expected R,G,B");
    for (int c : {r, g, b})
        if (!row.limits.admits(c))
            return bad_value("each component must be " +
                             limits_text(row.limits, SettingKind::Whole));
    out = rgb(r, g, b);
    return std::nullopt;
}

Refusal read_choice(const Setting& row, std::string_view name, const std::string& text,
                    double& out) {
    for (std::size_t k = 0; k < row.choices.size(); ++k)
        if (row.choices[k] == text) {
            out = static_cast<double>(k);
            return std::nullopt;
        }
    long long n = 0;
    if (parse_int(text, n)) return read_whole(name, text, out);
    std::string names;
    for (std::string_view choice : row.choices)
        names += std::string(choice) + ", ";
    return bad_value("expected one of " + names + "or a number");
}

Refusal read_value(const Setting& row, std::string_view name, const std::string& text,
                   double& out) {
    switch (row.kind) {
    case SettingKind::Real:
        if (!parse_double(text, out)) return bad_value("not a number");
        return std::nullopt;
    case SettingKind::Colour:
        return read_colour(row, text, out);
    case SettingKind::Choice:
        return read_choice(row, name, text, out);
    default:
        return read_whole(name, text, out);
    }
}

std::string shortest(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

} // namespace

std::optional<SettingRefusal> set_setting(Params& ps, std::string_view name,
                                          const std::string& text) {
    int index = 0;
    const Setting* row = find_setting(name, index);
    if (row == nullptr || row->field.write == nullptr)
        return SettingRefusal{SettingRefusal::Why::UnknownName, {}};
    double v = 0;
    if (Refusal r = read_value(*row, name, text, v)) return r;
    if (row->at_once && !limits_for(*row, ps.type).admits(v))
        return outside(name, text, limits_for(*row, ps.type), row->kind);
    if (row->rule != nullptr)
        if (std::string why = row->rule(ps, v); !why.empty()) return bad_value(std::move(why));
    row->field.write(ps, index, v);
    if (row->follow != nullptr) row->follow(ps);
    return std::nullopt;
}

std::string setting_text(const Setting& row, const Params& ps, int index) {
    const double v = row.field.read(ps, index);
    const int n = trunc32(v);
    switch (row.kind) {
    case SettingKind::Real:
        return shortest(v);
    case SettingKind::Colour: {
        const auto c = static_cast<Rgb>(n);
        return std::to_string(red_of(c)) + "," + std::to_string(green_of(c)) + "," +
               std::to_string(blue_of(c));
    }
    case SettingKind::Choice:
        if (n >= 0 && static_cast<std::size_t>(n) < row.choices.size())
            return std::string(row.choices[static_cast<std::size_t>(n)]);
        return std::to_string(n);
    default:
        return std::to_string(n);
    }
}

} // namespace morv
