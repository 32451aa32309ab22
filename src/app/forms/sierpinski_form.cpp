// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/sierpinski_form.h"

#include "app/app_state.h"
#include "app/forms/field_text.h"

#include <array>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr int kShapeGroup = 660;
constexpr int kColoringGroup = 690;
constexpr int kColorGroup = 680;

constexpr std::array kControls{
    Control{K::Group, kShapeGroup, "   Image Type   ", 0, 0, 0, 2, 1},
    Control{K::Radio, kSierpinskiShape, "triangle", kShapeGroup, 0, 0},
    Control{K::Radio, kSierpinskiShape + 1, "square", kShapeGroup, 1, 0},
    Control{K::Radio, kSierpinskiShape + 2, "pentagon", kShapeGroup, 2, 0},
    Control{K::Radio, kSierpinskiShape + 3, "hexagon", kShapeGroup, 3, 0},
    Control{K::Radio, kSierpinskiShape + 4, "pentagon - overlapped", kShapeGroup, 4, 0},
    Control{K::Radio, kSierpinskiShape + 5, "hexagon - overlapped", kShapeGroup, 5, 0},
    Control{K::Group, kColoringGroup, "   Coloring Method   ", 0, 0, 1},
    Control{K::Radio, kSierpinskiColoring, "monochrome", kColoringGroup, 0, 0},
    Control{K::Radio, kSierpinskiColoring + 1, "hit count ( palette )", kColoringGroup, 1, 0},
    Control{K::Group, kColorGroup, "   Monochrome Image Color   ( 0  -  255 )   ", 0, 1, 1},
    Control{K::Label, kNoId, "red", kColorGroup, 0, 0},
    Control{K::Edit, kSierpinskiRed, "", kColorGroup, 1, 0},
    Control{K::Label, kNoId, "green", kColorGroup, 0, 1},
    Control{K::Edit, kSierpinskiRed + 1, "", kColorGroup, 1, 1},
    Control{K::Label, kNoId, "blue", kColorGroup, 0, 2},
    Control{K::Edit, kSierpinskiRed + 2, "", kColorGroup, 1, 2},
    Control{K::Label, kNoId,
            "To redisplay this options box, select 'Sierpinski\nPolygons' from the 'Attractor "
            "Type' menu item.",
            0, 2, 0, 1, 2},
};
constexpr DialogSpec kSpec{650, "Select the Mode", kControls};

constexpr int kColorings = 2;

} // namespace

const DialogSpec& SierpinskiForm::description() const {
    return kSpec;
}

Fields SierpinskiForm::open(const Params& ps, const AppState&) {
    Fields f;
    for (int i = 0; i < kSierpinskiModes; ++i)
        f.checked[kSierpinskiShape + i] = ps.smode == i;
    for (int i = 0; i < kColorings; ++i)
        f.checked[kSierpinskiColoring + i] = ps.scmode == i;
    show_fore(ps, f, kSierpinskiRed);
    return f;
}

FormOutcome SierpinskiForm::ok(Instance& s, const Fields& f) {
    if (const int i = f.first_checked(kSierpinskiShape, kSierpinskiModes); i >= 0) s.smode = i;
    if (const int i = f.first_checked(kSierpinskiColoring, kColorings); i >= 0) s.scmode = i;
    store_fore(s, f, kSierpinskiRed);
    return {};
}

} // namespace morv::app
