// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"
#include "core/types.h"

#include <array>
#include <string_view>

namespace morv::app {

inline constexpr std::string_view kTypeDialogCaption = "Select the Attractor Type";
inline constexpr std::string_view kTypeGroupHeading =
    "  +  =  changeable parameters      $  =  random parameters   ";
inline constexpr std::string_view kMoreTypesGroupHeading = "   More Attractor Types   ";
inline constexpr int kTypeGroupId = 210;
inline constexpr int kMoreTypesGroupId = 215;
inline constexpr int kFirstTypeRadio = 220; // radio button 220 + i stands for type i
// Types 0..25 fill the first group, 26..37 the second; each group has two
// columns, the first half of its types on the left.
inline constexpr int kTypesInFirstGroup = 26;

// The attractor type dialog: the types' labels as one group of radio
// buttons in two boxes, OK in the left corner and Cancel in the right.
class TypeForm : public Form {
  public:
    TypeForm();
    TypeForm(const TypeForm&) = delete; // the description points into the object
    TypeForm& operator=(const TypeForm&) = delete;
    const DialogSpec& description() const override { return spec_; }
    // The current type checked, the others clear.
    Fields open(const Params& ps, const AppState& app) override;
    // The first checked button sets `type`; with none checked `type` stays.
    FormOutcome ok(Instance& s, const Fields& f) override;

    // Group (0 or 1), column (0 or 1) and row of a type's radio button.
    struct Place {
        int group, column, row;
    };
    static Place place(int type);

  private:
    std::array<Control, NTYPES + 2> controls_;
    DialogSpec spec_;
};

} // namespace morv::app
