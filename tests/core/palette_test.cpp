#include "core/palette.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace morv {

namespace {

struct Key {
    int index, r, g, b;
};

void expect_entry(const Palette& p, Key k) {
    EXPECT_EQ(p[k.index][0], k.r) << "entry " << k.index;
    EXPECT_EQ(p[k.index][1], k.g) << "entry " << k.index;
    EXPECT_EQ(p[k.index][2], k.b) << "entry " << k.index;
}

// Every entry lies within 1.5 of the straight line between its key entries
// (except where `exempt` says an exact rule of its own holds).
void expect_on_ramps(const Palette& p, const std::vector<Key>& keys,
                     bool (*exempt)(int index, int channel) = nullptr) {
    for (std::size_t k = 0; k + 1 < keys.size(); ++k) {
        const Key a = keys[k], b = keys[k + 1];
        for (int i = a.index; i <= b.index; ++i) {
            const double t = static_cast<double>(i - a.index) / (b.index - a.index);
            const int ends[3][2] = {{a.r, b.r}, {a.g, b.g}, {a.b, b.b}};
            for (int c = 0; c < 3; ++c) {
                if (exempt != nullptr && exempt(i, c)) continue;
                const double line = ends[c][0] + (ends[c][1] - ends[c][0]) * t;
                EXPECT_LE(std::fabs(p[i][c] - line), 1.5) << "entry " << i << " channel " << c;
            }
        }
    }
}

const std::vector<Key> kPal1Keys{{0, 0, 0, 0},       {1, 255, 2, 0},     {101, 255, 255, 0},
                                 {141, 0, 191, 190}, {200, 0, 129, 202}, {202, 0, 127, 204},
                                 {230, 0, 151, 216}, {239, 0, 173, 226}, {244, 0, 178, 230},
                                 {255, 0, 184, 235}};
const std::vector<Key> kPal2Keys{
    {0, 0, 0, 0},       {12, 112, 0, 128},  {13, 119, 0, 136},  {25, 135, 0, 152},
    {26, 131, 0, 154},  {38, 3, 0, 170},    {39, 0, 0, 173},    {51, 0, 0, 221},
    {63, 0, 112, 221},  {64, 0, 120, 221},  {76, 0, 152, 221},  {78, 0, 155, 215},
    {89, 0, 170, 171},  {102, 0, 170, 136}, {114, 0, 154, 8},   {115, 0, 154, 0},
    {153, 0, 255, 0},   {165, 176, 255, 0}, {166, 188, 255, 0}, {179, 239, 237, 0},
    {191, 255, 205, 0}, {204, 255, 153, 0}, {216, 255, 9, 0},   {217, 254, 0, 0},
    {230, 220, 0, 0},   {242, 204, 0, 0},   {243, 204, 12, 12}, {255, 204, 204, 204}};

} // namespace

TEST(Palettes, FirstPaletteKeysStoredRowsAndRamps) {
    for (const Key& k : kPal1Keys)
        expect_entry(defpal1, k);
    for (Key k : std::vector<Key>{{50, 255, 127, 0},
                                  {120, 134, 225, 90},
                                  {160, 0, 171, 194},
                                  {220, 0, 143, 212},
                                  {250, 0, 182, 232}})
        expect_entry(defpal1, k);
    // Green from 1 to 100 follows 2.55 per entry from 0, not the line from entry 1.
    expect_on_ramps(defpal1, kPal1Keys, [](int i, int c) { return c == 1 && i >= 1 && i <= 100; });
}

TEST(Palettes, FirstPaletteGreenRisesByTheIntegerRule) {
    for (int i = 1; i <= 100; ++i) {
        EXPECT_EQ(defpal1[i][0], 255);
        EXPECT_EQ(defpal1[i][1], (255 * i - 1) / 100) << "entry " << i;
    }
}

TEST(Palettes, SecondPaletteKeysStoredRowsAndRamps) {
    for (const Key& k : kPal2Keys)
        expect_entry(defpal2, k);
    for (Key k : std::vector<Key>{{20, 129, 0, 146},
                                  {45, 0, 0, 197},
                                  {70, 0, 136, 221},
                                  {130, 0, 194, 0},
                                  {200, 255, 169, 0},
                                  {250, 204, 124, 124}})
        expect_entry(defpal2, k);
    expect_on_ramps(defpal2, kPal2Keys);
}

TEST(Palettes, GenpaletteCopiesAndColoursPackRedLow) {
    Palette p{};
    genpalette(p, defpal2);
    EXPECT_EQ(p, defpal2);
    EXPECT_EQ(palette_color(p, 12), 112u + 128u * 65536u);
}

} // namespace morv
