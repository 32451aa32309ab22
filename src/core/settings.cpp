// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"

#include "core/catalogue.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace morv {

namespace {

constexpr int kMaps = 6;

Limits widened(Limits l, double v) {
    return {std::min(l.lo, v), std::max(l.hi, v)};
}

Limits widened(Limits l, Limits by) {
    return {std::min(l.lo, by.lo), std::max(l.hi, by.hi)};
}

bool draws_fresh_random_sets(int type) {
    const RandomScheme r = catalogue[type].random;
    return r == RandomScheme::Coefficients || r == RandomScheme::Spirals;
}

constexpr Limits kRandomDraws{-kRandomCoefficientBound, kRandomCoefficientBound};

std::string number_text(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

// Whole kinds print as integers where the value is one (a record may hold a
// fraction or a NaN where the state holds an int).
std::string value_text(double v, SettingKind kind) {
    const bool integral = v == std::trunc(v) && std::fabs(v) < 1e18;
    return kind != SettingKind::Real && integral ? std::to_string(static_cast<long long>(v))
                                                 : number_text(v);
}

// "f.I.J" and "fp.I": the part before the first index, with its dot.
std::string_view family_prefix(const Setting& row) {
    return row.name.substr(0, row.name.find(".I") + 1);
}

bool read_index(std::string_view text, int& out) {
    if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + kMaps) return false;
    out = text[0] - '0';
    return true;
}

// The member of `row`'s family that `name` names, if it names one.
bool family_member(const Setting& row, std::string_view name, int& index) {
    const std::string_view prefix = family_prefix(row);
    if (name.substr(0, prefix.size()) != prefix) return false;
    const std::string_view rest = name.substr(prefix.size());
    int i = 0, j = 0;
    if (row.indexing == Indexing::Map) {
        if (!read_index(rest, i)) return false;
        index = i;
        return true;
    }
    if (rest.size() != 3 || rest[1] != '.' || !read_index(rest.substr(0, 1), i) ||
        !read_index(rest.substr(2), j))
        return false;
    index = kMaps * i + j;
    return true;
}

} // namespace

Limits coefficient_range(int type, int k) {
    const auto& r = catalogue[type].abcdrange;
    return k < 2 ? Limits{r[0], r[1]} : Limits{r[2], r[3]};
}

Limits special_range(int type, int k) {
    const auto& r = catalogue[type].sprange;
    return k == 0 ? Limits{r[0], r[1]} : Limits{r[2], r[3]};
}

Limits window_x_range(int type) {
    const ViewWindow& r = catalogue[type].mmrange;
    return {r.xmin, r.xmax};
}

Limits window_y_range(int type) {
    const ViewWindow& r = catalogue[type].mmrange;
    return {r.ymin, r.ymax};
}

Limits coefficient_limits(int type, int k) {
    const TypeParams& def = catalogue[type].pdef;
    const double defaults[4] = {def.a, def.b, def.c, def.d};
    const Limits l = widened(coefficient_range(type, k), defaults[k]);
    return draws_fresh_random_sets(type) ? widened(l, kRandomDraws) : l;
}

Limits special_limits(int type, int k) {
    const TypeParams& def = catalogue[type].pdef;
    const Limits l = widened(special_range(type, k), k == 0 ? def.sp0 : def.sp1);
    // Spirals draws its p2 inside the dialog's range.
    if (!draws_fresh_random_sets(type) || (type == kTypeSpirals && k == 1)) return l;
    return widened(l, kRandomDraws);
}

Limits window_x_limits(int type) {
    const ViewWindow& def = catalogue[type].mmdef;
    return widened(widened(window_x_range(type), def.xmin), def.xmax);
}

Limits window_y_limits(int type) {
    const ViewWindow& def = catalogue[type].mmdef;
    return widened(widened(window_y_range(type), def.ymin), def.ymax);
}

void method_follows_scmode(Params& ps) {
    ps.method[kTypeSierpinski] = ps.scmode != 0 ? kMethodHitCount : kMethodSelf;
}

void method_follows_ifscmode(Params& ps) {
    ps.method[kTypeIfs] = ps.ifscmode != 0 ? kMethodHitCount : kMethodSelf;
}

void method_follows_basinflag(Params& ps) {
    ps.method[kTypeBasin] = ps.basinflag != 0 ? kMethodSpeedPoints : kMethodSelf;
}

std::string depth_8_or_16(const Params&, double depth) {
    return depth == 8 || depth == 16 ? std::string() : std::string("it must be 8 or 16");
}

std::string method_offered(const Params& ps, double method) {
    const TypeInfo& t = catalogue[ps.type];
    const int m = trunc32(method);
    if (m == t.method || (t.okmethod & okmethod_bit(m)) != 0) return {};
    return "this colouring method is not offered for " + std::string(type_label(ps.type));
}

const Setting* find_setting(std::string_view name, int& index) {
    for (const Setting& row : kSettings) {
        index = 0;
        if (row.indexing == Indexing::None ? row.name == name : family_member(row, name, index))
            return &row;
    }
    return nullptr;
}

int family_size(const Setting& row) {
    switch (row.indexing) {
    case Indexing::Map:
        return kMaps;
    case Indexing::MapCoefficient:
        return kMaps * kMaps;
    default:
        return 1;
    }
}

std::string setting_name(const Setting& row, int index) {
    const std::string prefix(family_prefix(row));
    switch (row.indexing) {
    case Indexing::Map:
        return prefix + std::to_string(index);
    case Indexing::MapCoefficient:
        return prefix + std::to_string(index / kMaps) + "." + std::to_string(index % kMaps);
    default:
        return std::string(row.name);
    }
}

Limits limits_for(const Setting& row, int type) {
    return row.limits_of_type != nullptr ? row.limits_of_type(type) : row.limits;
}

std::string limits_text(Limits l, SettingKind kind) {
    return value_text(l.lo, kind) + ".." + value_text(l.hi, kind);
}

std::string out_of_range_text(std::string_view name, double value, Limits l, SettingKind kind) {
    return std::string(name) + " is " + value_text(value, kind) + "; it must lie in " +
           limits_text(l, kind);
}

std::string out_of_limits_text(const Setting& row, std::string_view name, double value, int type,
                               SettingKind shown) {
    const Limits l = limits_for(row, type);
    if (row.limits_of_type == nullptr || l.lo != l.hi)
        return out_of_range_text(name, value, l, shown);
    return std::string(name) + " is " + value_text(value, shown) + "; " +
           std::string(catalogue[type].name) + " has no " + std::string(name) + ", it stays " +
           value_text(l.lo, shown);
}

std::optional<std::string> check_setting(const Setting& row, const Params& ps) {
    if (row.field.read == nullptr) return std::nullopt;
    const Limits l = limits_for(row, ps.type);
    for (int i = 0; i < family_size(row); ++i) {
        const double v = row.field.read(ps, i);
        const std::string name = setting_name(row, i);
        if (row.kind != SettingKind::Colour) {
            if (!l.admits(v)) return out_of_limits_text(row, name, v, ps.type, row.kind);
            continue;
        }
        const Limits packed = packed_colour_limits(l);
        if (!packed.admits(v)) return out_of_range_text(name, v, packed, SettingKind::Whole);
    }
    return std::nullopt;
}

} // namespace morv
