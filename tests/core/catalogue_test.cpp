// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace morv {

// The labels the type list shows and the short names of titles and picture
// descriptions, made from plain names and flags: exactly as always (a type
// added later only has to have a row).
TEST(Catalogue, LabelsAndShortNamesAreUnchanged) {
    const std::pair<std::string_view, std::string_view> expected[] = {
        {"Henon", "Henon"},
        {"Ikeda", "Ikeda"},
        {"Bifurcation ( Feigenbaum ) Diagram", "Bifurcation ( Feigenbaum ) Diagram"},
        {"Lorenz - 3D +", "Lorenz"},
        {"Ganymede ( Pickover ) - 3D  + $", "Ganymede ( Pickover )"},
        {"Pickover - 3D  + $", "Pickover"},
        {"Peter de Jong - 3D  + $", "Peter de Jong"},
        {"Henon Phase Diagram  +", "Henon Phase Diagram"},
        {"Sierpinski Polygons", "Sierpinski Polygons"},
        {"IFS  ( Ferns and More )  +", "IFS  ( Ferns and More )"},
        {"Feather", "Feather"},
        {"Duffing Oscillator  +", "Duffing Oscillator"},
        {"Hopalong  +", "Hopalong"},
        {"Sierpinski Web", "Sierpinski Web"},
        {"Volterra-Lotka  +", "Volterra-Lotka"},
        {"Lace  +", "Lace"},
        {"Popcorn  +", "Popcorn"},
        {"Perturbated Gingerbread Men  +", "Perturbated Gingerbread Men"},
        {"Frothy Basin", "Frothy Basin"},
        {"Unity  +", "Unity"},
        {"Chrysanthemum - 3D  +", "Chrysanthemum"},
        {"Rossler - 3D  +", "Rossler"},
        {"Butterfly - 3D  +", "Butterfly"},
        {"KAM Torus - 3D  +", "KAM Torus"},
        {"Samardzija Oscillator", "Samardzija Oscillator"},
        {"Lissajous Oscillator - 3D", "Lissajous Oscillator"},
        {"Iris  + $", "Iris"},
        {"Atom  + $", "Atom"},
        {"Randomized KAM Torus", "Randomized KAM Torus"},
        {"Wings  + $", "Wings"},
        {"Medusa  +", "Medusa"},
        {"Disk  +", "Disk"},
        {"Ikeda IFS  +", "Ikeda IFS"},
        {"Storm Julia ( 2 defaults )  + $", "Storm Julia ( 2 defaults )"},
        {"Frost Julia  + $", "Frost Julia"},
        {"Star  +", "Star"},
        {"Spirals  + $", "Spirals"},
        {"Cosine Waves  +", "Cosine Waves"},

    };
    ASSERT_LE(std::size(expected), static_cast<std::size_t>(NTYPES));
    for (int t = 0; t < static_cast<int>(std::size(expected)); ++t) {
        EXPECT_EQ(type_label(t), expected[t].first) << "type " << t;
        EXPECT_EQ(short_type_name(t), expected[t].second) << "type " << t;
    }
}

// A type's default colouring method is one it allows (or 0, self-drawn).
TEST(Catalogue, DefaultMethodIsOffered) {
    for (int t = 0; t < NTYPES; ++t) {
        const TypeInfo& info = catalogue[t];
        if (info.method != kMethodSelf) {
            EXPECT_NE(info.okmethod & okmethod_bit(info.method), 0) << "type " << t;
        }
    }
}

} // namespace morv
