// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace morv {

// A small picture of single pixels, held as it looks on the screen: row j from
// the top, column i from the left. '.' leaves a pixel alone; a digit paints it
// (for the ball sprites the digit is the shade added to the colour index).
class Mask {
  public:
    template <std::size_t N>
    constexpr Mask(const std::array<std::string_view, N>& rows) : rows_(rows) {}

    constexpr int width() const { return static_cast<int>(rows_.front().size()); }
    constexpr int height() const { return static_cast<int>(rows_.size()); }
    // The cell at column i, row j: 0 when clear, else its digit.
    constexpr int at(int i, int j) const {
        const char c = rows_[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)];
        return c == '.' ? 0 : c - '0';
    }
    // Every row as wide as the first, and only '.' and the digits 1..4.
    constexpr bool well_formed() const {
        for (std::string_view r : rows_) {
            if (static_cast<int>(r.size()) != width()) return false;
            for (char c : r)
                if (c != '.' && (c < '1' || c > '4')) return false;
        }
        return true;
    }

  private:
    std::span<const std::string_view> rows_;
};

namespace masks_detail {

// clang-format off
// The tables are pictures, one row per line.

// The letters that label the axes of Rossler's orthogonal view.
inline constexpr std::array<std::string_view, 14> xchar_rows{
    ".111111....111111.",
    "..1111......1111..",
    "...1111....1111...",
    "....1111..1111....",
    ".....11111111.....",
    "......111111......",
    ".......1111.......",
    "......111111......",
    ".....11111111.....",
    "....1111..1111....",
    "...1111....1111...",
    "..1111......1111..",
    ".1111........1111.",
    "111111......111111",
};

inline constexpr std::array<std::string_view, 14> ychar_rows{
    "11111.......11111",
    ".1111.......1111.",
    "..1111.....1111..",
    "...1111...1111...",
    "....1111.1111....",
    ".....1111111.....",
    "......11111......",
    ".......111.......",
    ".......111.......",
    ".......111.......",
    ".......111.......",
    ".......111.......",
    ".......111.......",
    "......11111......",
};

inline constexpr std::array<std::string_view, 14> zchar_rows{
    "..1111111111111",
    ".1111111111111.",
    ".........1111..",
    "........1111...",
    ".......11111...",
    ".......1111....",
    "......1111.....",
    ".....1111......",
    "....1111.......",
    "...11111.......",
    "...1111........",
    "..1111.........",
    ".11111111111111",
    "11111111111111.",
};

// The Lissajous ball: sprite k is 19 - 2k pixels square, shaded 1..4.
inline constexpr std::array<std::string_view, 19> sphere0_rows{
    "......1111111......",
    "....11.......11....",
    "...1...........1...",
    "..1.............1..",
    ".1...............1.",
    ".1...............1.",
    "1.................1",
    "1.................1",
    "1.................1",
    "1.................1",
    "1.................1",
    "1.....1...........1",
    "1....111..........1",
    ".1....1..........1.",
    ".1...............1.",
    "..1.............1..",
    "...1...........1...",
    "....11.......11....",
    "......1111111......",
};

inline constexpr std::array<std::string_view, 17> sphere1_rows{
    "......22222......",
    "....22.....22....",
    "...2.........2...",
    "..1...........2..",
    ".1.............2.",
    ".1.............2.",
    "1...............2",
    "1...............2",
    "1...............2",
    "1.....1.........2",
    "1....111........2",
    ".1....1........2.",
    ".1.............2.",
    "..1...........2..",
    "...1.........1...",
    "....11.....11....",
    "......11111......",
};

inline constexpr std::array<std::string_view, 15> sphere2_rows{
    "......222......",
    "....22...22....",
    "...2.......2...",
    "..1.........2..",
    ".1...........2.",
    ".1...........2.",
    "1.............2",
    "1.............2",
    "1....1........2",
    ".1..111......2.",
    ".1...1.......2.",
    "..1.........2..",
    "...1.......1...",
    "....11...11....",
    "......111......",
};

inline constexpr std::array<std::string_view, 13> sphere3_rows{
    ".....333.....",
    "...33...33...",
    "..2.......3..",
    ".2.........3.",
    ".2.........3.",
    "2...........3",
    "2...........3",
    "2...11......3",
    ".2...1.....3.",
    ".2.........3.",
    "..2.......2..",
    "...22...22...",
    ".....222.....",
};

inline constexpr std::array<std::string_view, 11> sphere4_rows{
    "....333....",
    "..33...33..",
    ".2.......3.",
    ".2.......3.",
    "2.........3",
    "2.........3",
    "2..11.....3",
    ".2..1....3.",
    ".2.......3.",
    "..22...22..",
    "....222....",
};

inline constexpr std::array<std::string_view, 9> sphere5_rows{
    "...444...",
    "..4...4..",
    ".3.....4.",
    "3.......4",
    "3..1....4",
    "3...1...4",
    ".3.....4.",
    "..3...3..",
    "...333...",
};

inline constexpr std::array<std::string_view, 7> sphere6_rows{
    "..444..",
    ".3...4.",
    "3.....4",
    "3.....4",
    "3..1..4",
    ".3...4.",
    "..333..",
};

inline constexpr std::array<std::string_view, 5> sphere7_rows{
    ".444.",
    "4...4",
    "4...4",
    "4...4",
    ".444.",
};
// clang-format on

} // namespace masks_detail

inline constexpr Mask xchar{masks_detail::xchar_rows};
inline constexpr Mask ychar{masks_detail::ychar_rows};
inline constexpr Mask zchar{masks_detail::zchar_rows};

inline constexpr std::array<Mask, 8> sphere{{
    Mask{masks_detail::sphere0_rows},
    Mask{masks_detail::sphere1_rows},
    Mask{masks_detail::sphere2_rows},
    Mask{masks_detail::sphere3_rows},
    Mask{masks_detail::sphere4_rows},
    Mask{masks_detail::sphere5_rows},
    Mask{masks_detail::sphere6_rows},
    Mask{masks_detail::sphere7_rows},
}};

static_assert(xchar.width() == 18 && xchar.height() == 14 && xchar.well_formed());
static_assert(ychar.width() == 17 && ychar.height() == 14 && ychar.well_formed());
static_assert(zchar.width() == 15 && zchar.height() == 14 && zchar.well_formed());
consteval bool sprites_well_formed() {
    for (int k = 0; k < 8; ++k) {
        const Mask& m = sphere[static_cast<std::size_t>(k)];
        if (m.width() != 19 - 2 * k || m.height() != 19 - 2 * k || !m.well_formed()) return false;
    }
    return true;
}
static_assert(sprites_well_formed());

} // namespace morv
