// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace morv {

// Default IFS maps: row k holds a, b, c, d, e, f of map k (a fern).
inline constexpr std::array<std::array<double, 6>, 6> fdef{{
    {0.0, 0.0, 0.0, 0.2, 0.0, -0.12},
    {0.845, 0.035, -0.035, 0.82, 0.0, 1.6},
    {0.2, -0.31, 0.255, 0.245, 0.0, 0.29},
    {-0.15, 0.24, 0.25, 0.2, 0.0, 0.68},
    {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
}};
// Probability of each map in percent.
inline constexpr std::array<int, 6> fpdef{1, 85, 7, 7, 0, 0};

// Default start points of the eight Gingerbread Men perturbations.
inline constexpr std::array<double, 8> dpgmx0{-0.1,    0.46, 6.98,      6.3,
                                              -0.1234, 0.81, 0.7171717, 1.2345};
inline constexpr std::array<double, 8> dpgmy0{0.0, 7.86, 7.05, 6.5, 0.1234, 0.132, 0.13131, 2.3456};
inline constexpr double kDefaultPgmScale = 25.0;

inline constexpr int kSierpinskiModes = 6; // smode 0..5
inline constexpr int kPgmFormulas = 8;     // pgmindex 0..7

} // namespace morv
