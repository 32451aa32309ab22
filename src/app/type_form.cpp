// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/type_form.h"

#include "app/app_state.h"
#include "core/catalogue.h"

namespace morv::app {

TypeForm::TypeForm()
    : controls_{}, spec_{200, kTypeDialogCaption, controls_, 0,
                         19,  {.at_edges = true}, false,     true} {
    controls_[0] = Control{ControlKind::Group, kTypeGroupId, kTypeGroupHeading, 0, 0, 0};
    controls_[1] = Control{ControlKind::Group, kMoreTypesGroupId, kMoreTypesGroupHeading, 0, 1, 0};
    for (int i = 0; i < NTYPES; ++i) {
        const Place at = place(i);
        controls_[static_cast<std::size_t>(i) + 2] =
            Control{ControlKind::Radio,
                    kFirstTypeRadio + i,
                    type_label(i),
                    at.group == 0 ? kTypeGroupId : kMoreTypesGroupId,
                    at.row,
                    at.column};
    }
}

Fields TypeForm::open(const Params& ps, const AppState&) {
    Fields f;
    for (int i = 0; i < NTYPES; ++i)
        f.checked[kFirstTypeRadio + i] = ps.type == i;
    return f;
}

FormOutcome TypeForm::ok(Instance& s, const Fields& f) {
    const int chosen = f.first_checked(kFirstTypeRadio, NTYPES);
    if (chosen >= 0) s.type = chosen;
    return {};
}

TypeForm::Place TypeForm::place(int type) {
    const int group = type < kTypesInFirstGroup ? 0 : 1;
    const int first = group == 0 ? 0 : kTypesInFirstGroup;
    const int size = group == 0 ? kTypesInFirstGroup : NTYPES - kTypesInFirstGroup;
    const int half = (size + 1) / 2;
    const int k = type - first;
    return Place{group, k < half ? 0 : 1, k < half ? k : k - half};
}

} // namespace morv::app
