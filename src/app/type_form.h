#pragma once

#include "core/types.h"

#include <array>
#include <string_view>

namespace morv {
struct State;
}

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

// The attractor type dialog: one group of 38 radio buttons.
struct TypeForm {
    std::array<bool, NTYPES> checked{};

    // The current type checked, the others clear.
    static TypeForm load(const State& s);
    // OK: the first checked button sets `type`; with none checked `type` stays.
    void apply(State& s) const;

    static std::string_view label(int type);
    // Group (0 or 1), column (0 or 1) and row of a type's radio button.
    struct Place {
        int group, column, row;
    };
    static Place place(int type);
};

} // namespace morv::app
