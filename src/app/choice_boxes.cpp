// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/choice_boxes.h"

#include "app/app_state.h"
#include "app/command_ids.h"

#include <array>

namespace morv::app {

namespace {

constexpr std::array kBoxes{
    ChoiceBox{kDlgBifurcation,
              "Bifurcation Options",
              "Images can be rendered using the classic  'logistic equation'\n      L * x * ( 1 "
              "- x )\n    which is asymmetric, or using an 'odd' function\n      L * x * ( 1 - "
              "x^2 )\n   which is symmetric but requires iteration using both a positive\n   and "
              "a negative starting point.\n\nThese options can be selected using the buttons "
              "below.\n\nTo redisplay this options box, select 'Bifurcation' from the\n   "
              "'Attractor Type' menu item.",
              "Classic",
              "Odd",
              {},
              0},
    ChoiceBox{kDlgBasin,
              "Frothy Basin Options",
              "Images can be rendered in the original form of an escape time\n   fractal, as "
              "presented in Fractint, or as a finite attractor using\n   a single initial "
              "point.\n\nThese options can be selected using the buttons below.\n\nTo redisplay "
              "this options box, select 'Frothy Basin' from the\n   'Attractor Type' menu item.",
              "Escape Time",
              "Finite Attractor",
              {},
              0},
    ChoiceBox{kDlgUnity, "Unity Options",
              "Images can be rendered in the original form of an escape time\n   fractal, or "
              "with the initial points 'inverted', or mapped to\n   corresponding points on the "
              "opposite side of an arbitrarily\n   chosen circle.\n\nThese options can be "
              "selected using the buttons below.\n\nTo redisplay this options box, select "
              "'Unity' from the 'Attractor\n   Type' menu item.",
              "Original", "Inversion", "Check for differential basin coloring", 1005},
    ChoiceBox{kDlgRossler,
              "Rossler - 3D Options",
              "Images can be rendered in 2-dimensional projections, rotated by\n   user "
              "selection around the 3 axes, or as a simulated 3-D orthogonal\n   projection with "
              "a fixed rotation; the latter option looks best\n   with a dark background and a "
              "bright palette.\n\nThese options can be selected using the buttons "
              "below.\n\nTo redisplay this options box, select 'Rossler' from the\n   "
              "'Attractor Type' menu item.",
              "2 - D Projection",
              "Orthogonal",
              {},
              0},
};

} // namespace

const ChoiceBox* find_choice_box(int id) {
    for (const ChoiceBox& b : kBoxes)
        if (b.id == id) return &b;
    return nullptr;
}

ChoiceBoxForm::ChoiceBoxForm(const ChoiceBox& box)
    : box_(box), controls_{Control{ControlKind::Label, kNoId, box.text, 0, 0, 0},
                           Control{ControlKind::Check, box.check_id, box.check_label, 0, 1, 0}},
      spec_{box.id,
            box.caption,
            std::span<const Control>(controls_.data(), box.check_label.empty() ? 1u : 2u),
            0,
            19,
            {box.button1, box.button2, true, true},
            false} {}

Fields ChoiceBoxForm::open(const Params& ps, const AppState&) {
    Fields f;
    if (box_.id == kDlgUnity) f.checked[box_.check_id] = ps.unitybasin != 0;
    return f;
}

FormOutcome ChoiceBoxForm::ok(Instance& s, const Fields& f) {
    keep_check(s, f);
    return {};
}

void ChoiceBoxForm::cancel(Params& ps, const Fields& f) {
    keep_check(ps, f);
}

void ChoiceBoxForm::keep_check(Params& ps, const Fields& f) const {
    if (box_.id == kDlgUnity) ps.unitybasin = f.is_checked(box_.check_id) ? 1 : 0;
}

} // namespace morv::app
