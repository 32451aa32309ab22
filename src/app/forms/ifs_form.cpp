// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/ifs_form.h"

#include "app/app_state.h"
#include "app/forms/field_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr int kMaps = 6;
constexpr int kColorings = 2;
constexpr int kColoringGroup = 1296;
constexpr int kColorGroup = 1292;

constexpr int kGridColumn = 1; // the column of coefficient a
constexpr int kPColumn = kGridColumn + 6;

constexpr Control coefficient(int map, int j) {
    return {K::Edit, kIfsCoefficient + 6 * map + j, "", 0, 1 + map, kGridColumn + j};
}
constexpr Control map_label(int map, std::string_view text) {
    return {K::Label, kNoId, text, 0, 1 + map, 0};
}
constexpr Control probability(int map) {
    return {K::Edit, kIfsProbability + map, "", 0, 1 + map, kPColumn};
}

constexpr auto make_controls() {
    constexpr std::array<std::string_view, kMaps> rows{"1", "2", "3", "4", "5", "6"};
    std::array<Control, 3 + kMaps * 8 + 13> c{};
    std::size_t n = 0;
    c[n++] = {K::Label, kNoId, "a                          b                          c",
              0,        0,     kGridColumn,
              1,        3};
    c[n++] = {K::Label, kNoId, "d                          e                          f",
              0,        0,     kGridColumn + 3,
              1,        3};
    c[n++] = {K::Label, kNoId, "p ( 0 - 100 )", 0, 0, kPColumn};
    for (int i = 0; i < kMaps; ++i) {
        c[n++] = map_label(i, rows[static_cast<std::size_t>(i)]);
        for (int j = 0; j < 6; ++j)
            c[n++] = coefficient(i, j);
        c[n++] = probability(i);
    }
    c[n++] = {K::Label, kNoId, "total = 100", 0, 1 + kMaps, kPColumn};
    c[n++] = {
        K::Check, kIfsRestore, "restore default parameters on OK", 0, 1 + kMaps, kGridColumn, 1, 3};
    c[n++] = {K::Group, kColoringGroup, "   Coloring Method   ", 0, 2 + kMaps, 0, 1, 4};
    c[n++] = {K::Radio, kIfsColoring, "monochrome", kColoringGroup, 0, 0};
    c[n++] = {K::Radio, kIfsColoring + 1, "hit count ( palette )", kColoringGroup, 1, 0};
    c[n++] = {
        K::Group, kColorGroup, "   Monochrome Image Color   ( 0  -  255 )   ", 0, 2 + kMaps, 4, 1,
        4};
    c[n++] = {K::Label, kNoId, "red", kColorGroup, 0, 0};
    c[n++] = {K::Edit, kIfsRed, "", kColorGroup, 1, 0};
    c[n++] = {K::Label, kNoId, "green", kColorGroup, 0, 1};
    c[n++] = {K::Edit, kIfsRed + 1, "", kColorGroup, 1, 1};
    c[n++] = {K::Label, kNoId, "blue", kColorGroup, 0, 2};
    c[n++] = {K::Edit, kIfsRed + 2, "", kColorGroup, 1, 2};
    c[n++] = {K::Label,
              kNoId,
              "To redisplay this parameters box, select 'IFS' from the 'Attractor Type' menu "
              "item.",
              0,
              3 + kMaps,
              0,
              1,
              8};
    return c;
}

constexpr auto kControls = make_controls();
constexpr DialogSpec kSpec{1200, "  IFS Parameters", kControls, 0, 11};

} // namespace

const DialogSpec& IfsForm::description() const {
    return kSpec;
}

Fields IfsForm::open(const Params& ps, const AppState&) {
    Fields f;
    for (int i = 0; i < kColorings; ++i)
        f.checked[kIfsColoring + i] = ps.ifscmode == i;
    f.checked[kIfsRestore] = false;
    for (std::size_t i = 0; i < kMaps; ++i) {
        for (std::size_t j = 0; j < 6; ++j)
            f.text[kIfsCoefficient + static_cast<int>(6 * i + j)] = show_fixed(ps.f[i][j], 8);
        f.text[kIfsProbability + static_cast<int>(i)] = show_int(ps.fp[i]);
    }
    show_fore(ps, f, kIfsRed);
    return f;
}

FormOutcome IfsForm::ok(Instance& s, const Fields& f) {
    for (std::size_t i = 0; i < kMaps; ++i)
        for (std::size_t j = 0; j < 6; ++j)
            s.f[i][j] =
                clamp_between(read_double(f.text_of(kIfsCoefficient + static_cast<int>(6 * i + j))),
                              setting_named("f.I.J").limits);
    std::array<int, kMaps> chances{};
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < kMaps; ++i) {
        chances[i] = clamp_to(read_int(f.text_of(kIfsProbability + static_cast<int>(i))),
                              setting_named("fp.I").limits);
        sum += chances[i];
    }
    // A rejected OK keeps what it stored, except six zeros: they would leave the
    // fern without a map, and a record saved from them could not be loaded again.
    if (sum != 0) std::copy(chances.begin(), chances.end(), s.fp.begin());
    if (sum != 100)
        return {false, {{Message::Kind::WarnUnowned, "Parameter Error", kIfsSumWarning}}};
    store_fore(s, f, kIfsRed);
    s.frestore = f.is_checked(kIfsRestore) ? 1 : 0;
    if (const int i = f.first_checked(kIfsColoring, kColorings); i >= 0) s.ifscmode = i;
    return {};
}

} // namespace morv::app
