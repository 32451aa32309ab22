// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/param_form.h"

#include "analysis/lyapunov.h"
#include "app/app_state.h"
#include "app/forms/field_text.h"
#include "core/catalogue.h"

#include <array>
#include <cstdint>
#include <utility>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr std::array kControls{
    Control{K::Label, kNoId, "pixel resolution ( 200 - 4000 )", 0, 0, 0},
    Control{K::Edit, kParamResolution, "", 0, 0, 1},
    Control{K::Label, kNoId, "rendering speed ( 1 - 10 )", 0, 0, 2},
    Control{K::Edit, kParamSpeed, "", 0, 0, 3},
    Control{K::Label, kNoId, "a", 0, 1, 0},
    Control{K::Edit, kParamA, "", 0, 1, 1},
    Control{K::Label, kNoId, "b", 0, 1, 2},
    Control{K::Edit, kParamA + 1, "", 0, 1, 3},
    Control{K::Label, kNoId, "c", 0, 2, 0},
    Control{K::Edit, kParamA + 2, "", 0, 2, 1},
    Control{K::Label, kNoId, "d", 0, 2, 2},
    Control{K::Edit, kParamA + 3, "", 0, 2, 3},
    Control{K::Label, kParamRotXLabel, "X axis rotation (0 - 360)", 0, 3, 0},
    Control{K::Edit, kParamRotX, "", 0, 3, 1},
    Control{K::Label, kParamRotXLabel + 1, "Y axis rotation (0 - 360)", 0, 4, 0},
    Control{K::Edit, kParamRotX + 1, "", 0, 4, 1},
    Control{K::Label, kParamRotXLabel + 2, "Z axis rotation (0 - 360)", 0, 5, 0},
    Control{K::Edit, kParamRotX + 2, "", 0, 5, 1},
    Control{K::Label, kParamSp0Label, kBlankLabel, 0, 3, 2},
    Control{K::Edit, kParamSp0, "", 0, 3, 3},
    Control{K::Label, kParamSp1Label, kBlankLabel, 0, 4, 2},
    Control{K::Edit, kParamSp1, "", 0, 4, 3},
    Control{K::Group, kParamOrderGroup, "   Order of Rotation   ", 0, 8, 0, 1, 4},
    Control{K::Radio, kParamOrder, "XYZ", kParamOrderGroup, 0, 0},
    Control{K::Radio, kParamOrder + 1, "XZY", kParamOrderGroup, 0, 1},
    Control{K::Radio, kParamOrder + 2, "YXZ", kParamOrderGroup, 0, 2},
    Control{K::Radio, kParamOrder + 3, "YZX", kParamOrderGroup, 0, 3},
    Control{K::Radio, kParamOrder + 4, "ZXY", kParamOrderGroup, 0, 4},
    Control{K::Radio, kParamOrder + 5, "ZYX", kParamOrderGroup, 0, 5},
    Control{K::Label, kNoId, "xmin", 0, 6, 0},
    Control{K::Edit, kParamXmin, "", 0, 6, 1},
    Control{K::Label, kNoId, "xmax", 0, 6, 2},
    Control{K::Edit, kParamXmin + 1, "", 0, 6, 3},
    Control{K::Label, kNoId, "ymin", 0, 7, 0},
    Control{K::Edit, kParamXmin + 2, "", 0, 7, 1},
    Control{K::Label, kNoId, "ymax", 0, 7, 2},
    Control{K::Edit, kParamXmin + 3, "", 0, 7, 3},
};

constexpr DialogSpec kSpec{300, "  Parameters", kControls};

constexpr int kRotationOrders = 6;

constexpr std::string_view kLyapunovCaption = "Morvane";
constexpr std::string_view kParameterErrorCaption = "Parameter Error";

std::string real(double v) {
    return show_fixed(v, 15);
}

// A field left as the dialog showed it keeps the value behind it: "%.15f"
// does not give every double back, and an OK without changes must change
// nothing (a random set found to 1e-12 would move by its last bit).
double field(const Fields& f, int id, double shown) {
    const std::string_view text = f.text_of(id);
    return text == real(shown) ? shown : read_double(text);
}

// One axis of the plot window: in order, inside the type's range, and wide
// enough; false when too narrow. `lo` and `hi` come in as the stored bounds.
bool read_span(const Fields& f, int id, Limits bounds, double& lo, double& hi) {
    lo = field(f, id, lo);
    hi = field(f, id + 1, hi);
    if (lo > hi) std::swap(lo, hi);
    if (lo < bounds.lo) lo = bounds.lo;
    if (hi > bounds.hi) hi = bounds.hi;
    return !(hi - lo < kMinimumWindowSpan);
}

void fill_enabling(Fields& f, int type) {
    const int opts = catalogue[static_cast<std::size_t>(type)].poptions;
    f.enabled[kParamSpeed] = (opts & kOptSpeed) != 0;
    for (int i = 0; i < 4; ++i)
        f.enabled[kParamA + i] = (opts & kOptAbcd) != 0;
    for (int i = 0; i < 3; ++i)
        f.enabled[kParamRotX + i] = (opts & kOptRotation) != 0;
    for (int i = 0; i < 4; ++i)
        f.enabled[kParamXmin + i] = (opts & kOptWindow) != 0;
    const SpecialLabels labels = special_labels(type);
    const bool special = (opts & kOptSpecial) != 0;
    f.enabled[kParamSp0] = special;
    f.enabled[kParamSp1] = special && labels.sp1_used;
    f.text[kParamSp0Label] = std::string(special ? labels.sp0 : kBlankLabel);
    f.text[kParamSp1Label] = std::string(special ? labels.sp1 : kBlankLabel);
}

// The plot window is rejected and the dialog stays open.
// a..d, sp0 and sp1 clamped to the type's ranges.
void read_coefficients(const Fields& f, int t, TypeParams& next) {
    next.a = clamp_to(field(f, kParamA, next.a), setting_named("p.a").dialog_range(t));
    next.b = clamp_to(field(f, kParamA + 1, next.b), setting_named("p.b").dialog_range(t));
    next.c = clamp_to(field(f, kParamA + 2, next.c), setting_named("p.c").dialog_range(t));
    next.d = clamp_to(field(f, kParamA + 3, next.d), setting_named("p.d").dialog_range(t));
    next.sp0 = clamp_to(field(f, kParamSp0, next.sp0), setting_named("p.sp0").dialog_range(t));
    next.sp1 = clamp_to(field(f, kParamSp1, next.sp1), setting_named("p.sp1").dialog_range(t));
}

// The dialog's speed levels 1..10 are the delays 17..0.
Limits speed_levels() {
    const Limits delays = setting_named("speed").limits;
    return {static_cast<double>(speed_level(trunc32(delays.hi))),
            static_cast<double>(speed_level(trunc32(delays.lo)))};
}

FormOutcome too_narrow(const char* text) {
    return {false, {{Message::Kind::WarnUnowned, std::string(kParameterErrorCaption), text}}};
}

std::string lyapunov_warning(double lexp) {
    return "Lyapunov exponent: " + show_fixed(lexp, 6) +
           "\n\nThe attractor may not be chaotic\n   enough to produce an appealing\n   image.";
}

std::string lyapunov_report(const ChaosMeasure& m) {
    return "Lyapunov exponent: " + show_fixed(m.lexp, 15) +
           "\nfractal dimension: " + show_fixed(m.fd, 15);
}

// The new set's exponent: a warning when it is low (or NaN), the figures in
// debug mode, nothing when the type cannot be measured.
FormOutcome judge_chaos(const std::optional<ChaosMeasure>& measured, int debugflag) {
    FormOutcome done;
    if (!measured) return done;
    const ChaosMeasure& m = *measured;
    if (!(m.lexp >= 0.3)) // NaN warns too
        done.messages.push_back(
            {Message::Kind::WarnUnowned, std::string(kLyapunovCaption), lyapunov_warning(m.lexp)});
    else if (debugflag)
        done.messages.push_back(
            {Message::Kind::Inform, std::string(kLyapunovCaption), lyapunov_report(m)});
    return done;
}

} // namespace

int speed_level(int speed) {
    if (speed == 0) return 10;
    // Rounded down, in 64 bits so that no stored speed can overflow.
    const std::int64_t n = std::int64_t{19} - speed;
    const std::int64_t level = n >= 0 ? n / 2 : -((-n + 1) / 2);
    return static_cast<int>(level);
}

int speed_from_level(int level) {
    return level >= 10 ? 0 : 19 - 2 * level;
}

SpecialLabels special_labels(int type) {
    if (!valid_type(type)) return {kBlankLabel, kBlankLabel, false};
    const TypeInfo& info = catalogue[static_cast<std::size_t>(type)];
    const auto shown = [](std::string_view label) { return label.empty() ? kBlankLabel : label; };
    return {shown(info.sp0_label), shown(info.sp1_label), !info.sp1_label.empty()};
}

std::optional<ChaosMeasure> measure_chaos(State& s) {
    return lyapunov(s, step_of(s)); // nothing without a step function to measure
}

const DialogSpec& ParamForm::description() const {
    return kSpec;
}

Fields ParamForm::open(const Params& ps, const AppState&) {
    const std::size_t t = current_type(ps);
    savetype_ = ps.type;
    savep_ = ps.p[t];
    saveres_ = ps.res;

    Fields f;
    for (int k = 0; k < kRotationOrders; ++k)
        f.checked[kParamOrder + k] = k == ps.rotationorder;
    f.text[kParamResolution] = show_int(ps.res);
    f.text[kParamSpeed] = show_int(speed_level(ps.speed));
    const TypeParams& p = ps.p[t];
    const std::array abcd{p.a, p.b, p.c, p.d};
    for (int i = 0; i < 4; ++i)
        f.text[kParamA + i] = real(abcd[static_cast<std::size_t>(i)]);
    f.text[kParamRotX] = real(ps.rot[t].x);
    f.text[kParamRotX + 1] = real(ps.rot[t].y);
    f.text[kParamRotX + 2] = real(ps.rot[t].z);
    f.text[kParamSp0] = real(p.sp0);
    f.text[kParamSp1] = real(p.sp1);
    const ViewWindow& mm = ps.mm[t];
    f.text[kParamXmin] = real(mm.xmin);
    f.text[kParamXmin + 1] = real(mm.xmax);
    f.text[kParamXmin + 2] = real(mm.ymin);
    f.text[kParamXmin + 3] = real(mm.ymax);
    fill_enabling(f, static_cast<int>(t));
    return f;
}

// Fields are read in a fixed order and what precedes a rejected plot window
// stays stored, so that a corrected OK finds it already in place.
FormOutcome ParamForm::ok(Instance& s, const Fields& f) {
    const std::size_t t = current_type(s);
    const TypeInfo& info = catalogue[t];
    TypeParams next = s.p[t];

    if (const int k = f.first_checked(kParamOrder, kRotationOrders); k >= 0) s.rotationorder = k;
    s.res = clamp_to(read_int(f.text_of(kParamResolution)), setting_named("res").limits);
    s.speed = speed_from_level(clamp_to(read_int(f.text_of(kParamSpeed)), speed_levels()));

    const int type = static_cast<int>(t);
    read_coefficients(f, type, next);
    s.rot[t].x = clamp_between(field(f, kParamRotX, s.rot[t].x), setting_named("rot.x").limits);
    s.rot[t].y = clamp_between(field(f, kParamRotX + 1, s.rot[t].y), setting_named("rot.y").limits);
    s.rot[t].z = clamp_between(field(f, kParamRotX + 2, s.rot[t].z), setting_named("rot.z").limits);

    double lo = s.mm[t].xmin, hi = s.mm[t].xmax;
    if (!read_span(f, kParamXmin, setting_named("mm.xmin").dialog_range(type), lo, hi))
        return too_narrow("xmax - xmin must be >= 0.05");
    s.mm[t].xmin = lo;
    s.mm[t].xmax = hi;
    lo = s.mm[t].ymin, hi = s.mm[t].ymax;
    if (!read_span(f, kParamXmin + 2, setting_named("mm.ymin").dialog_range(type), lo, hi))
        return too_narrow("ymax - ymin must be >= 0.05");
    s.mm[t].ymin = lo;
    s.mm[t].ymax = hi;

    s.p[t] = next;
    if (!(info.poptions & kOptRandom) || !measure_) return {};
    const std::optional<ChaosMeasure> measured = measure_(s);
    if (measured) s.chaos = *measured; // what a later search that measures nothing shows
    return judge_chaos(measured, s.debugflag);
}

void ParamForm::cancel(Params& ps, const Fields&) {
    ps.type = savetype_;
    if (valid_type(ps.type)) ps.p[static_cast<std::size_t>(ps.type)] = savep_;
    ps.res = saveres_;
}

} // namespace morv::app
