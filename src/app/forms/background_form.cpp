// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/background_form.h"

#include "app/app_state.h"
#include "app/forms/field_text.h"

#include <array>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr std::array kBackControls{
    Control{K::Label, kNoId, "red ( 0 - 255 )", 0, 0, 0},
    Control{K::Edit, kBackRed, "", 0, 0, 1},
    Control{K::Label, kNoId, "green ( 0 - 255 )", 0, 1, 0},
    Control{K::Edit, kBackRed + 1, "", 0, 1, 1},
    Control{K::Label, kNoId, "blue ( 0 - 255 )", 0, 2, 0},
    Control{K::Edit, kBackRed + 2, "", 0, 2, 1},
};
constexpr DialogSpec kBackSpec{400, "Select the Background Color", kBackControls};

} // namespace

const DialogSpec& BackgroundForm::description() const {
    return kBackSpec;
}

Fields BackgroundForm::open(const Params& ps, const AppState&) {
    Fields f;
    f.text[kBackRed] = show_int(red_of(ps.back));
    f.text[kBackRed + 1] = show_int(green_of(ps.back));
    f.text[kBackRed + 2] = show_int(blue_of(ps.back));
    return f;
}

FormOutcome BackgroundForm::ok(Instance& s, const Fields& f) {
    s.back = rgb(read_component(f.text_of(kBackRed)), read_component(f.text_of(kBackRed + 1)),
                 read_component(f.text_of(kBackRed + 2)));
    return {};
}

} // namespace morv::app
