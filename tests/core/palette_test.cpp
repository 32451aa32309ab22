// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/palette.h"

#include <gtest/gtest.h>

namespace morv {

// Key entries, rows stored by hand and the middle of ramps, where rounding
// goes wrong first. The bundled palette files pin every entry besides.
TEST(Palettes, KeysStoredRowsAndRampMiddles) {
    const struct {
        const Palette& pal;
        int index;
        RGB want;
    } cases[] = {{defpal1, 0, {0, 0, 0}},         {defpal1, 1, {255, 2, 0}},
                 {defpal1, 50, {255, 127, 0}},    {defpal1, 75, {255, 191, 0}},
                 {defpal1, 120, {134, 225, 90}},  {defpal1, 121, {127, 223, 95}},
                 {defpal1, 201, {0, 128, 203}},   {defpal1, 255, {0, 184, 235}},
                 {defpal2, 12, {112, 0, 128}},    {defpal2, 13, {119, 0, 136}},
                 {defpal2, 20, {129, 0, 146}},    {defpal2, 32, {67, 0, 162}},
                 {defpal2, 83, {0, 162, 195}},    {defpal2, 130, {0, 194, 0}},
                 {defpal2, 134, {0, 205, 0}},     {defpal2, 236, {212, 0, 0}},
                 {defpal2, 250, {204, 124, 124}}, {defpal2, 255, {204, 204, 204}}};
    for (const auto& c : cases)
        EXPECT_EQ(c.pal[c.index], c.want) << (&c.pal == &defpal1 ? 1 : 2) << " entry " << c.index;
    // The first palette's green rises by 2.55 an entry, rounded down.
    for (int i = 1; i <= 100; ++i)
        EXPECT_EQ(defpal1[i][1], (255 * i - 1) / 100) << "entry " << i;
}

TEST(Palettes, GenpaletteCopiesAndColoursPackRedLow) {
    Palette p{};
    genpalette(p, defpal2);
    EXPECT_EQ(p, defpal2);
    EXPECT_EQ(palette_color(p, 12), 112u + 128u * 65536u);
    EXPECT_EQ(palette_color(p, 256 + 12), 112u + 128u * 65536u);
}

} // namespace morv
