// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/palette.h"

#include <initializer_list>

namespace morv {

namespace {

struct Key {
    int index;
    int r, g, b;
};

constexpr int div_round(int num, int den) {
    return num >= 0 ? (2 * num + den) / (2 * den) : -((-2 * num + den) / (2 * den));
}

// Piecewise-linear ramps between key entries, rounded to the nearest value;
// then the rows whose stored values are fixed by hand.
constexpr Palette ramp(std::initializer_list<Key> keys, std::initializer_list<Key> stored) {
    Palette pal{};
    const Key* prev = nullptr;
    for (const Key& k : keys) {
        if (prev != nullptr) {
            const int span = k.index - prev->index;
            for (int i = prev->index; i <= k.index; ++i) {
                const int t = i - prev->index;
                pal[i] = {
                    static_cast<unsigned char>(prev->r + div_round((k.r - prev->r) * t, span)),
                    static_cast<unsigned char>(prev->g + div_round((k.g - prev->g) * t, span)),
                    static_cast<unsigned char>(prev->b + div_round((k.b - prev->b) * t, span))};
            }
        } else {
            pal[k.index] = {static_cast<unsigned char>(k.r), static_cast<unsigned char>(k.g),
                            static_cast<unsigned char>(k.b)};
        }
        prev = &k;
    }
    for (const Key& k : stored)
        pal[k.index] = {static_cast<unsigned char>(k.r), static_cast<unsigned char>(k.g),
                        static_cast<unsigned char>(k.b)};
    return pal;
}

constexpr Palette make_defpal1() {
    Palette pal = ramp({{0, 0, 0, 0},
                        {1, 255, 2, 0},
                        {101, 255, 255, 0},
                        {141, 0, 191, 190},
                        {200, 0, 129, 202},
                        {202, 0, 127, 204},
                        {230, 0, 151, 216},
                        {239, 0, 173, 226},
                        {244, 0, 178, 230},
                        {255, 0, 184, 235}},
                       {{50, 255, 127, 0},
                        {120, 134, 225, 90},
                        {160, 0, 171, 194},
                        {220, 0, 143, 212},
                        {250, 0, 182, 232}});
    // Green rises by 2.55 an entry from 1 to 100, always rounded down.
    for (int i = 1; i <= 100; ++i)
        pal[i][1] = static_cast<unsigned char>((255 * i - 1) / 100);
    return pal;
}

constexpr Palette make_defpal2() {
    return ramp({{0, 0, 0, 0},       {12, 112, 0, 128},  {13, 119, 0, 136},  {25, 135, 0, 152},
                 {26, 131, 0, 154},  {38, 3, 0, 170},    {39, 0, 0, 173},    {51, 0, 0, 221},
                 {63, 0, 112, 221},  {64, 0, 120, 221},  {76, 0, 152, 221},  {78, 0, 155, 215},
                 {89, 0, 170, 171},  {102, 0, 170, 136}, {114, 0, 154, 8},   {115, 0, 154, 0},
                 {153, 0, 255, 0},   {165, 176, 255, 0}, {166, 188, 255, 0}, {179, 239, 237, 0},
                 {191, 255, 205, 0}, {204, 255, 153, 0}, {216, 255, 9, 0},   {217, 254, 0, 0},
                 {230, 220, 0, 0},   {242, 204, 0, 0},   {243, 204, 12, 12}, {255, 204, 204, 204}},
                {{20, 129, 0, 146},
                 {45, 0, 0, 197},
                 {70, 0, 136, 221},
                 {130, 0, 194, 0},
                 {200, 255, 169, 0},
                 {250, 204, 124, 124}});
}

} // namespace

constexpr Palette kDefpal1 = make_defpal1();
constexpr Palette kDefpal2 = make_defpal2();
const Palette defpal1 = kDefpal1;
const Palette defpal2 = kDefpal2;

} // namespace morv
