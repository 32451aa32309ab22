// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/tone_options.h"

#include "core/density.h"
#include "core/parse.h"
#include "core/settings.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace morv {

namespace {

using Reason = std::optional<std::string>;

// An option and the setting it gives a value; words, when given, are the
// values it takes in place of 0, 1, ...
struct ToneOption {
    std::string_view option;
    std::string_view setting;
    std::string_view words[4] = {};
};

constexpr ToneOption kToneOptions[] = {
    {"--tone", "tone", {"none", "log"}},
    {"--exposure", "exposure"},
    {"--gamma", "gamma"},
    {"--gamma-threshold", "gammathreshold"},
    {"--vibrancy", "vibrancy"},
    {"--contrast", "contrast"},
    {"--oversample", "oversample"},
    {"--filter-width", "filterwidth"},
    {"--color-by", "colorby", {"speed", "z", "direction", "index"}},
    {"--depth", "depth"},
    {"--alpha", "alpha"}, // a flag
};
static_assert(kColorByCount == 4);

const ToneOption* find_tone_option(std::string_view name) {
    for (const ToneOption& o : kToneOptions)
        if (o.option == name) return &o;
    return nullptr;
}

// The value as the setting's number, checked against its row.
Reason setting_value(const ToneOption& o, const std::string& text, std::string& out) {
    const std::string opt(o.option);
    if (!o.words[0].empty()) {
        std::string list;
        for (std::size_t i = 0; i < std::size(o.words) && !o.words[i].empty(); ++i) {
            if (text == o.words[i]) {
                out = std::to_string(i);
                return std::nullopt;
            }
            list += (i == 0 ? "" : ", ") + std::string(o.words[i]);
        }
        return opt + ": expected " + list + ", got '" + text + "'";
    }
    int index = 0;
    const Setting* row = find_setting(o.setting, index);
    double v = 0;
    long long whole = 0;
    const bool is_whole = row->kind != SettingKind::Real;
    if (is_whole ? !parse_int(text, whole) : !parse_double(text, v))
        return opt + (is_whole ? ": not a whole number: '" : ": not a number: '") + text + "'";
    if (is_whole) v = static_cast<double>(whole);
    if (!row->limits.admits(v))
        return opt + ": " + text + " is outside " + limits_text(row->limits, row->kind);
    Params defaults;
    if (row->rule != nullptr)
        if (const std::string why = row->rule(defaults, v); !why.empty())
            return opt + ": " + text + ": " + why;
    out = text;
    return std::nullopt;
}

} // namespace

bool is_tone_option(const std::string& name) {
    return find_tone_option(name) != nullptr;
}

bool parse_tone_option(int argc, const char* const* argv, int& i,
                       std::vector<std::pair<std::string, std::string>>& sets,
                       std::optional<std::string>& err, std::string& name) {
    const ToneOption* o = find_tone_option(argv[i]);
    if (o == nullptr) return false;
    name = std::string(o->option);
    std::string value = "1";
    if (o->option != "--alpha") {
        if (i + 1 >= argc) {
            err = name + " needs a value";
            return true;
        }
        if ((err = setting_value(*o, argv[++i], value))) return true;
    }
    sets.emplace_back(std::string(o->setting), value);
    return true;
}

} // namespace morv
