// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/set_values.h"

#include "core/params.h"
#include "core/settings.h"

#include <algorithm>

namespace morv {

namespace {

// "0..360 degrees", "R,G,B, each 0..255", "the type's limits"
std::string values_text(const Setting& row) {
    if (row.limits_of_type != nullptr) return "the type's limits";
    if (row.kind == SettingKind::Flag) return "0 or 1";
    if (row.kind == SettingKind::Choice) {
        std::string names;
        for (std::string_view choice : row.choices)
            names += (names.empty() ? "" : ", ") + std::string(choice);
        return names + " (or " + limits_text(row.limits, row.kind) + ")";
    }
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

std::optional<std::string> set_state_value(Params& ps, const std::string& name,
                                           const std::string& value) {
    const std::optional<SettingRefusal> refused = set_setting(ps, name, value);
    if (!refused) return std::nullopt;
    switch (refused->why) {
    case SettingRefusal::Why::UnknownName:
        return "--set: unknown name '" + name + "'";
    case SettingRefusal::Why::BadValue:
        return "--set " + name + "=" + value + ": " + refused->text;
    default:
        return refused->text;
    }
}

} // namespace morv
