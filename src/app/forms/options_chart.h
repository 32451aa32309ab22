// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <array>
#include <string_view>

namespace morv::app {

inline constexpr int kOptionsChartPicture = 610;

// One line of the options chart: a type's name, and whether its parameters
// can be changed ('+') or drawn at random ('$').
struct OptionsChartRow {
    int type;
    std::string_view name;
    bool changeable;
    bool random;
};

// The chart of all types, generated from the catalogue.
std::array<OptionsChartRow, NTYPES> options_chart();

} // namespace morv::app
