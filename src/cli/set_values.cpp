#include "cli/set_values.h"

#include "cli/options.h"
#include "core/params.h"
#include "core/settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace morv {

namespace {

using Result = std::optional<std::string>;

Result bad(const std::string& name, const std::string& value, const std::string& why) {
    return "--set " + name + "=" + value + ": " + why;
}

// The value as given: "pgmindex is 08; it must lie in 0..7".
Result outside(const std::string& name, const std::string& value, Limits l, SettingKind kind) {
    return name + " is " + value + "; it must lie in " + limits_text(l, kind);
}

Result read_real(const std::string& name, const std::string& value, double& out) {
    if (!parse_double(value, out)) return bad(name, value, "not a number");
    return std::nullopt;
}

Result read_whole(const std::string& name, const std::string& value, double& out) {
    long long n = 0;
    if (!parse_int(value, n)) return bad(name, value, "not a whole number");
    const Limits stored{INT32_MIN, INT32_MAX};
    out = static_cast<double>(n);
    if (!stored.admits(out)) return outside(name, value, stored, SettingKind::Whole);
    return std::nullopt;
}

Result read_colour(const Setting& row, const std::string& name, const std::string& value,
                   double& out) {
    int r = 0, g = 0, b = 0, used = 0;
    if (std::sscanf(value.c_str(), "%d,%d,%d%n", &r, &g, &b, &used) != 3 ||
        used != static_cast<int>(value.size()))
        return bad(name, value, "expected R,G,B");
    for (int c : {r, g, b})
        if (!row.limits.admits(c))
            return bad(name, value,
                       "each component must be " + limits_text(row.limits, SettingKind::Whole));
    out = rgb(r, g, b);
    return std::nullopt;
}

Result read_value(const Setting& row, const std::string& name, const std::string& value,
                  double& out) {
    switch (row.kind) {
    case SettingKind::Real:
        return read_real(name, value, out);
    case SettingKind::Colour:
        return read_colour(row, name, value, out);
    default:
        return read_whole(name, value, out);
    }
}

// "0..360 degrees", "R,G,B, each 0..255", "the type's limits"
std::string values_text(const Setting& row) {
    if (row.limits_of_type != nullptr) return "the type's limits";
    if (row.kind == SettingKind::Flag) return "0 or 1";
    const bool colour = row.kind == SettingKind::Colour;
    const SettingKind shown = colour ? SettingKind::Whole : row.kind;
    const std::string unit = row.unit.empty() ? "" : " " + std::string(row.unit);
    return (colour ? "R,G,B, each " : "") + limits_text(row.limits, shown) + unit;
}

} // namespace

std::string set_names_usage() {
    std::string text = "Names for --set (values of the current type where it applies):\n";
    for (const Setting& row : kSettings) {
        if (row.field.write == nullptr) continue;
        std::string name(row.name);
        name.resize(std::max<std::size_t>(name.size(), 14), ' ');
        text += "  " + name + " " + values_text(row) + ": " + std::string(row.meaning) + "\n";
    }
    return text;
}

std::optional<std::string> set_state_value(Params& s, const std::string& name,
                                           const std::string& value) {
    int index = 0;
    const Setting* row = find_setting(name, index);
    if (row == nullptr || row->field.write == nullptr) return "--set: unknown name '" + name + "'";
    double v = 0;
    if (Result r = read_value(*row, name, value, v)) return r;
    if (row->at_once && !limits_for(*row, s.type).admits(v))
        return outside(name, value, limits_for(*row, s.type), row->kind);
    if (row->rule != nullptr)
        if (const std::string why = row->rule(s, v); !why.empty()) return bad(name, value, why);
    row->field.write(s, index, v);
    if (row->follow != nullptr) row->follow(s);
    return std::nullopt;
}

} // namespace morv
