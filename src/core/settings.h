// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings table: every named value a user, a parameter file or the
// command line can set, one row each, with its limits, unit and side
// effects. `--set` finds its names here, the record check and
// check_settings their limits, the dialogs their clamps, `--help` its list
// of names; a row's follow-up is the one home of what setting it also
// changes.
//
// To add a setting:
//  1. give Params (core/params.h) its field and default;
//  2. add one row to kSettings below: name, kind, limits (fixed, or a
//     function of the type), unit, a short meaning for --help, and the field
//     as `.field = field_of([](auto& ps) { return &ps.the_field; })`; add
//     `.follow` when setting it changes another value, `.at_once` when later
//     values are read through it (an index), `.rule` for a condition beyond
//     its limits;
//  3. a dialog that edits it clamps to `setting_named("name").limits`.
// Nothing else: --set takes it, check_settings refuses it outside its limits
// with its name, --help lists it, and the table test walks it.

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/options.h"
#include "core/params.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace morv {

// A closed interval of values a setting may take.
struct Limits {
    double lo = 0, hi = 0;
    constexpr bool admits(double v) const { return v >= lo && v <= hi; } // never NaN
    bool operator==(const Limits&) const = default;
    // A whole value held to the limits: the steps that must never run
    // unbounded, or index past their tables, whatever a file held.
    constexpr int hold(int v) const {
        const int low = trunc32(lo), high = trunc32(hi);
        return v < low ? low : v > high ? high : v;
    }
};

enum class SettingKind {
    Real,   // a decimal number
    Whole,  // an integer
    Flag,   // 0 or 1
    Colour, // R,G,B; the limits are those of each component
    Choice, // one of `choices` by its name, or its number
};

// A family of settings under one row: its name's I and J are the map (0..5)
// and the coefficient (0..5) of the IFS tables.
enum class Indexing {
    None,
    Map,            // "fp.I"
    MapCoefficient, // "f.I.J"
};

// How a row reaches its value in a parameter set; `index` is the member of
// a family (0 for a single setting). Every kind travels as a double, which
// holds each int and packed colour exactly.
struct SettingField {
    double (*read)(const Params& ps, int index) = nullptr;
    void (*write)(Params& ps, int index, double v) = nullptr;
};

namespace detail {
inline void store(double& field, double v) {
    field = v;
}
inline void store(int& field, double v) {
    field = trunc32(v);
}
inline void store(Rgb& field, double v) {
    field = static_cast<Rgb>(trunc32(v));
}
inline void store(bool& field, double v) {
    field = v != 0;
}
inline void store(float& field, double v) {
    field = static_cast<float>(v);
}
template <class F, class P> constexpr auto* address(P& s, int index) {
    if constexpr (std::is_invocable_v<F, P&>)
        return F{}(s);
    else
        return F{}(s, index);
}
} // namespace detail

// The field a lambda `[](auto& ps) { return &ps.x; }` (or `(auto& ps, int i)`
// for a family) points at, for reading and writing.
template <class F> constexpr SettingField field_of(F) {
    return {[](const Params& ps, int i) { return static_cast<double>(*detail::address<F>(ps, i)); },
            [](Params& ps, int i, double v) { detail::store(*detail::address<F>(ps, i), v); }};
}

struct Setting {
    std::string_view name{};
    SettingKind kind = SettingKind::Real;
    Limits limits{};                              // the same for every type, unless
    Limits (*limits_of_type)(int type) = nullptr; // they depend on the type
    // The narrower range the Parameters dialog clamps a per-type value to.
    Limits (*dialog_range)(int type) = nullptr;
    std::string_view unit{};
    std::string_view meaning{};                  // for --help
    std::span<const std::string_view> choices{}; // the names of 0, 1, ... of a Choice
    SettingField field{};                        // none: only a dialog sets it
    Indexing indexing = Indexing::None;
    // Refused by --set at once rather than with the others once all are in:
    // later values are read through it.
    bool at_once = false;
    void (*follow)(Params& ps) = nullptr; // what setting it also changes
    // A condition beyond the limits: the reason it is not met, or "".
    std::string (*rule)(const Params& ps, double v) = nullptr;
};

// Per-type limits: what the Parameters dialog, the random search and the
// type's own defaults can put into a..d (k 0..3), sp0 and sp1 (k 0..1) and
// the plot window of `type` (a valid type): the dialog's range widened to
// take in the default and the random search's draws, so that every set the
// program itself can reach passes.
Limits coefficient_limits(int type, int k);
Limits special_limits(int type, int k);
Limits window_x_limits(int type);
Limits window_y_limits(int type);
// The ranges the Parameters dialog clamps to: the catalogue's.
Limits coefficient_range(int type, int k);
Limits special_range(int type, int k);
Limits window_x_range(int type);
Limits window_y_range(int type);

// The tone curves of a picture and the colour coordinates of a density.
inline constexpr std::string_view kToneCurves[] = {"none", "log"};
inline constexpr std::string_view kColorCoordinates[] = {"speed", "z", "direction", "index"};
inline constexpr std::string_view kRotationOrders[] = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};

// The colouring modes of Sierpinski, IFS and Frothy Basin choose their
// type's colouring method.
void method_follows_scmode(Params& ps);
void method_follows_ifscmode(Params& ps);
void method_follows_basinflag(Params& ps);
// A PNG holds 8 or 16 bits per channel.
std::string depth_8_or_16(const Params& ps, double depth);
// The colouring method must be one the current type offers.
std::string method_offered(const Params& ps, double method);

inline constexpr Limits kColourComponent{0, 255};
// What a colour packs its components within into.
constexpr Limits packed_colour_limits(Limits component) {
    const int lo = trunc32(component.lo), hi = trunc32(component.hi);
    return {static_cast<double>(rgb(lo, lo, lo)), static_cast<double>(rgb(hi, hi, hi))};
}
// The Parameters dialog refuses a narrower plot window; a type's own default
// window may be narrower.
inline constexpr double kMinimumWindowSpan = 0.05;

inline constexpr Setting kSettings[] = {
    // clang-format off
    {.name = "p.xstart", .limits = {-1e6, 1e6}, .meaning = "start point x",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].xstart; })},
    {.name = "p.ystart", .limits = {-1e6, 1e6}, .meaning = "start point y",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].ystart; })},
    {.name = "p.zstart", .limits = {-1e6, 1e6}, .meaning = "start point z",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].zstart; })},
    {.name = "p.a", .limits_of_type = [](int t) { return coefficient_limits(t, 0); },
     .dialog_range = [](int t) { return coefficient_range(t, 0); }, .meaning = "coefficient a",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].a; })},
    {.name = "p.b", .limits_of_type = [](int t) { return coefficient_limits(t, 1); },
     .dialog_range = [](int t) { return coefficient_range(t, 1); }, .meaning = "coefficient b",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].b; })},
    {.name = "p.c", .limits_of_type = [](int t) { return coefficient_limits(t, 2); },
     .dialog_range = [](int t) { return coefficient_range(t, 2); }, .meaning = "coefficient c",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].c; })},
    {.name = "p.d", .limits_of_type = [](int t) { return coefficient_limits(t, 3); },
     .dialog_range = [](int t) { return coefficient_range(t, 3); }, .meaning = "coefficient d",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].d; })},
    {.name = "p.sp0", .limits_of_type = [](int t) { return special_limits(t, 0); },
     .dialog_range = [](int t) { return special_range(t, 0); }, .meaning = "special parameter 1",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].sp0; })},
    {.name = "p.sp1", .limits_of_type = [](int t) { return special_limits(t, 1); },
     .dialog_range = [](int t) { return special_range(t, 1); }, .meaning = "special parameter 2",
     .field = field_of([](auto& ps) { return &ps.p[ps.type].sp1; })},
    {.name = "mm.xmin", .limits_of_type = window_x_limits, .dialog_range = window_x_range,
     .meaning = "view window, left",
     .field = field_of([](auto& ps) { return &ps.mm[ps.type].xmin; })},
    {.name = "mm.xmax", .limits_of_type = window_x_limits, .dialog_range = window_x_range,
     .meaning = "view window, right",
     .field = field_of([](auto& ps) { return &ps.mm[ps.type].xmax; })},
    {.name = "mm.ymin", .limits_of_type = window_y_limits, .dialog_range = window_y_range,
     .meaning = "view window, bottom",
     .field = field_of([](auto& ps) { return &ps.mm[ps.type].ymin; })},
    {.name = "mm.ymax", .limits_of_type = window_y_limits, .dialog_range = window_y_range,
     .meaning = "view window, top",
     .field = field_of([](auto& ps) { return &ps.mm[ps.type].ymax; })},
    {.name = "rot.x", .limits = {0, 360}, .unit = "degrees", .meaning = "rotation about x",
     .field = field_of([](auto& ps) { return &ps.rot[ps.type].x; })},
    {.name = "rot.y", .limits = {0, 360}, .unit = "degrees", .meaning = "rotation about y",
     .field = field_of([](auto& ps) { return &ps.rot[ps.type].y; })},
    {.name = "rot.z", .limits = {0, 360}, .unit = "degrees", .meaning = "rotation about z",
     .field = field_of([](auto& ps) { return &ps.rot[ps.type].z; })},
    {.name = "method", .kind = SettingKind::Whole, .limits = {kMethodSelf, kMethodZPlane},
     .meaning = "1 speed - points, 2 speed - lines, 3 hit count, 4 Z plane",
     .field = field_of([](auto& ps) { return &ps.method[ps.type]; }), .at_once = true,
     .rule = method_offered},
    {.name = "rotationorder", .kind = SettingKind::Choice, .limits = {0, 5},
     .meaning = "order of the rotations", .choices = kRotationOrders,
     .field = field_of([](auto& ps) { return &ps.rotationorder; })},
    // The delays the dialog's speed levels 10..1 give: 0, 1, 3, ..., 17.
    {.name = "speed", .kind = SettingKind::Whole, .limits = {0, 17}, .unit = "ms",
     .meaning = "wait after each step", .field = field_of([](auto& ps) { return &ps.speed; })},
    {.name = "linewidth", .kind = SettingKind::Whole, .limits = {1, 3}, .unit = "pixels",
     .meaning = "width of the speed - lines colouring",
     .field = field_of([](auto& ps) { return &ps.linewidth; })},
    {.name = "back", .kind = SettingKind::Colour, .limits = kColourComponent,
     .meaning = "background colour", .field = field_of([](auto& ps) { return &ps.back; })},
    {.name = "fore", .kind = SettingKind::Colour, .limits = kColourComponent,
     .meaning = "colour of one-colour images", .field = field_of([](auto& ps) { return &ps.fore; })},
    {.name = "smode", .kind = SettingKind::Whole, .limits = {0, kSierpinskiModes - 1},
     .meaning = "Sierpinski: 3, 4, 5, 6 corners, then 5, 6 overlapped",
     .field = field_of([](auto& ps) { return &ps.smode; })},
    {.name = "scmode", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "Sierpinski: one colour, hit count (sets the method)",
     .field = field_of([](auto& ps) { return &ps.scmode; }), .follow = method_follows_scmode},
    {.name = "f.I.J", .limits = {-1, 2}, .meaning = "IFS coefficient J (a..f) of map I (0..5)",
     .field = field_of([](auto& ps, int i) { return &ps.f[i / 6][i % 6]; }),
     .indexing = Indexing::MapCoefficient},
    {.name = "fp.I", .kind = SettingKind::Whole, .limits = {0, 100}, .unit = "percent",
     .meaning = "IFS probability of map I (0..5)",
     .field = field_of([](auto& ps, int i) { return &ps.fp[i]; }), .indexing = Indexing::Map},
    {.name = "ifscmode", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "IFS: one colour, hit count (sets the method)",
     .field = field_of([](auto& ps) { return &ps.ifscmode; }), .follow = method_follows_ifscmode},
    {.name = "oddflag", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "Bifurcation: the classic logistic map, the odd map",
     .field = field_of([](auto& ps) { return &ps.oddflag; })},
    {.name = "vlmaxiter", .kind = SettingKind::Whole, .limits = {2, 1024},
     .meaning = "Volterra-Lotka iteration limit",
     .field = field_of([](auto& ps) { return &ps.vlmaxiter; })},
    {.name = "vlmaxsize", .limits = {2, 256}, .meaning = "Volterra-Lotka escape size",
     .field = field_of([](auto& ps) { return &ps.vlmaxsize; })},
    {.name = "vlcoloring", .kind = SettingKind::Whole, .limits = {0, 2},
     .meaning = "Volterra-Lotka colouring: ZMag, BOF33, level sets",
     .field = field_of([](auto& ps) { return &ps.vlcoloring; })},
    {.name = "vlradius", .limits = {0.01, 0.5}, .meaning = "Volterra-Lotka target radius",
     .field = field_of([](auto& ps) { return &ps.vlradius; })},
    {.name = "showorbits", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "Volterra-Lotka: draw a reference orbit",
     .field = field_of([](auto& ps) { return &ps.showorbits; })},
    {.name = "pgmindex", .kind = SettingKind::Whole, .limits = {0, kPgmFormulas - 1},
     .meaning = "Gingerbread Men formula", .field = field_of([](auto& ps) { return &ps.pgmindex; }),
     .at_once = true},
    {.name = "pgmscale", .limits = {1, 50}, .unit = "pixels per unit",
     .meaning = "Gingerbread Men scale", .field = field_of([](auto& ps) { return &ps.pgmscale; })},
    {.name = "pgmx0", .limits = {-10, 10}, .meaning = "Gingerbread Men start x of the formula",
     .field = field_of([](auto& ps) { return &ps.pgmx0[static_cast<std::size_t>(ps.pgmindex)]; })},
    {.name = "pgmy0", .limits = {-10, 10}, .meaning = "Gingerbread Men start y of the formula",
     .field = field_of([](auto& ps) { return &ps.pgmy0[static_cast<std::size_t>(ps.pgmindex)]; })},
    {.name = "basinflag", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "Frothy Basin: escape time, attractor (sets the method)",
     .field = field_of([](auto& ps) { return &ps.basinflag; }), .follow = method_follows_basinflag},
    {.name = "unityflag", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "Unity: original, inversion", .field = field_of([](auto& ps) { return &ps.unityflag; })},
    {.name = "unitybasin", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "Unity: basin colouring", .field = field_of([](auto& ps) { return &ps.unitybasin; })},
    {.name = "rosslerflag", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "Rossler: the 2-D projection, the orthogonal view",
     .field = field_of([](auto& ps) { return &ps.rosslerflag; })},
    // How a toned picture is made (docs/tone-mapping.md); the renderer's
    // --tone, --exposure, ... set the same values.
    {.name = "tone", .kind = SettingKind::Choice, .limits = {0, 1},
     .meaning = "none: the colouring method; log: log-density toning of a density",
     .choices = kToneCurves,
     .field = field_of([](auto& ps) { return &ps.picture.tone; })},
    {.name = "exposure", .limits = {0.01, 100}, .meaning = "toning: brightness",
     .field = field_of([](auto& ps) { return &ps.picture.exposure; })},
    {.name = "gamma", .limits = {0.1, 10}, .meaning = "toning: the brightness curve is x^(1/gamma)",
     .field = field_of([](auto& ps) { return &ps.picture.gamma; })},
    {.name = "gammathreshold", .limits = {0, 1},
     .meaning = "toning: below it the gamma curve is a straight line",
     .field = field_of([](auto& ps) { return &ps.picture.gamma_threshold; })},
    {.name = "vibrancy", .limits = {0, 1},
     .meaning = "toning: 1 gamma on brightness only, 0 on each channel",
     .field = field_of([](auto& ps) { return &ps.picture.vibrancy; })},
    {.name = "contrast", .limits = {0.001, 1e6}, .unit = "hits",
     .meaning = "toning: where the log curve bends",
     .field = field_of([](auto& ps) { return &ps.picture.contrast; })},
    {.name = "oversample", .kind = SettingKind::Whole, .limits = {1, 4},
     .meaning = "toning: S x S samples per pixel",
     .field = field_of([](auto& ps) { return &ps.picture.oversample; })},
    {.name = "filterwidth", .limits = {1, 8}, .unit = "pixels",
     .meaning = "toning: Gaussian reconstruction filter width",
     .field = field_of([](auto& ps) { return &ps.picture.filter_width; })},
    {.name = "colorby", .kind = SettingKind::Choice, .limits = {0, 3},
     .meaning = "toning: what picks a point's colour", .choices = kColorCoordinates,
     .field = field_of([](auto& ps) { return &ps.picture.color_by; })},
    {.name = "depth", .kind = SettingKind::Whole, .limits = {8, 16}, .unit = "bits",
     .meaning = "toning: bits per channel of a PNG, 8 or 16",
     .field = field_of([](auto& ps) { return &ps.picture.depth; }), .rule = depth_8_or_16},
    {.name = "alpha", .kind = SettingKind::Flag, .limits = {0, 1},
     .meaning = "toning: a transparent background",
     .field = field_of([](auto& ps) { return &ps.picture.alpha; })},
    {.name = "res", .kind = SettingKind::Whole, .limits = {200, 4000}, .unit = "pixels",
     .meaning = "image side in the desktop program"},
    // The renderer's --res reaches further; past the first limit only the
    // orbits' summed counts are kept per pixel, so there only with --orbits.
    {.name = "renderres", .kind = SettingKind::Whole, .limits = {200, 16384}, .unit = "pixels",
     .meaning = "image side of a headless render"},
    {.name = "posterres", .kind = SettingKind::Whole, .limits = {200, 32768}, .unit = "pixels",
     .meaning = "image side of a headless render of several orbits"},
    // clang-format on
};

// The row of that name, found when the program is compiled.
consteval const Setting& setting_named(std::string_view name) {
    for (const Setting& row : kSettings)
        if (row.name == name) return row;
    throw "no setting of that name";
}

// The row a name such as "p.a" or "f.2.3" gives, and the member of its
// family in `index`; nothing for an unknown name.
const Setting* find_setting(std::string_view name, int& index);
// The members of a row's family (1 for a single setting), and their names.
int family_size(const Setting& row);
std::string setting_name(const Setting& row, int index);

// The limits of a row for `type` (a valid type).
Limits limits_for(const Setting& row, int type);

// "0..360"; whole kinds print as integers.
std::string limits_text(Limits l, SettingKind kind);
// "rot.x is 1e+300; it must lie in 0..360"; whole kinds print as integers.
std::string out_of_range_text(std::string_view name, double value, Limits l,
                              SettingKind kind = SettingKind::Real);
// The same for a value of `row` (named `name`) in a state or record of
// `type`, unless the type has no such value (its limits are one point):
// "p.a is 1.4; Henon has no p.a, it stays 0". `shown` is how the value is
// stored: a record keeps some whole settings as reals.
std::string out_of_limits_text(const Setting& row, std::string_view name, double value, int type,
                               SettingKind shown);

// The first member of the row's family in the state that lies outside its
// limits for the state's type, as a message naming it.
std::optional<std::string> check_setting(const Setting& row, const Params& ps);

// Why set_setting left the state as it was.
struct SettingRefusal {
    enum class Why {
        UnknownName, // no row of that name, or one only a dialog sets
        BadValue,    // `text` says what is wrong with the value as given
        Outside,     // `text` is the whole message: "pgmindex is 8; it must lie in 0..7"
    } why;
    std::string text;
};

// Sets the value `name` names from `text` (a setting_text) and runs the row's
// follow-up. Values checked at once (an index, the stored int's range, a
// row's rule) are refused here; the limits of the others are check_settings'
// business once every value is in, since a window passes through narrow
// states while its bounds are set one by one.
std::optional<SettingRefusal> set_setting(Params& ps, std::string_view name,
                                          const std::string& text);
// The text set_setting reads back to the same value.
std::string setting_text(const Setting& row, const Params& ps, int index);

} // namespace morv
