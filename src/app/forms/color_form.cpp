// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/color_form.h"

#include "app/app_state.h"
#include "app/forms/field_text.h"
#include "core/catalogue.h"

#include <array>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr int kMethods = 4;
constexpr std::array<int, kMethods> kMask{1, 2, 4, 8}; // the okmethod bit of radio 510 + i

// The slider's positions 0..2 are the line widths 1..3.
constexpr Limits kSliderPositions{setting_named("linewidth").limits.lo - 1,
                                  setting_named("linewidth").limits.hi - 1};

constexpr std::array kColorControls{
    Control{K::Radio, kColorMethod, "Speed - Points", 0, 0, 0},
    Control{K::Radio, kColorMethod + 1, "Speed - Lines", 0, 1, 0},
    Control{K::Radio, kColorMethod + 2, "Hit Count", 0, 2, 0},
    Control{K::Radio, kColorMethod + 3, "Z Plane", 0, 3, 0},
    Control{K::Group, kColorWidthGroup, "   line width   ", 0, 4, 0},
    Control{K::Slider, kColorWidthSlider, "", kColorWidthGroup, 0, 0, 1, 3},
    Control{K::Label, kNoId, "1", kColorWidthGroup, 1, 0, 1, 1, Align::Left},
    Control{K::Label, kNoId, "2", kColorWidthGroup, 1, 1, 1, 1, Align::Center},
    Control{K::Label, kNoId, "3", kColorWidthGroup, 1, 2, 1, 1, Align::Right},
};
constexpr DialogSpec kColorSpec{500, "Select the Coloring Method", kColorControls,
                                trunc32(kSliderPositions.hi)};

} // namespace

const DialogSpec& ColorForm::description() const {
    return kColorSpec;
}

Fields ColorForm::open(const Params& ps, const AppState& app) {
    const std::size_t t = current_type(ps);
    Fields f;
    const int okmethod = catalogue[t].okmethod;
    for (int i = 0; i < kMethods; ++i) {
        f.checked[kColorMethod + i] = ps.method[t] == i + 1;
        f.enabled[kColorMethod + i] = (okmethod & kMask[static_cast<std::size_t>(i)]) != 0;
    }
    f.position[kColorWidthSlider] = clamp_to(app.trackpos, kSliderPositions);
    // The width is only drawn with by "Speed - Lines".
    const bool lines = (okmethod & kMask[1]) != 0;
    f.enabled[kColorWidthGroup] = lines;
    f.enabled[kColorWidthSlider] = lines;
    return f;
}

FormOutcome ColorForm::ok(Instance& s, const Fields& f) {
    if (const int i = f.first_checked(kColorMethod, kMethods); i >= 0)
        s.method[current_type(s)] = i + 1;
    s.linewidth = clamp_to(s.trackpos, kSliderPositions) + 1;
    return {};
}

void ColorForm::slider_moved(AppState& app, int id, int position) {
    if (id == kColorWidthSlider) app.trackpos = clamp_to(position, kSliderPositions);
}

} // namespace morv::app
