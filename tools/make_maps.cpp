// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the palettes shipped in data/maps: the two built-in palettes as
// files, perceptually uniform maps rebuilt from their published ten-step
// samples, and a few smooth gradients. Run: make-maps DIR
#include "core/numeric.h"
#include "core/palette.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace morv {
namespace {

using Stop = std::array<int, 3>;

struct Gradient {
    const char* name;
    const char* about;
    std::vector<Stop> stops; // evenly spaced from entry 0 to entry 255
};

// Ten evenly spaced samples of each map as its authors publish them (the
// matplotlib colormaps viridis, magma, inferno and plasma by van der Walt and
// Smith, cividis by Nuñez, Anderton and Renslow); linear steps between ten
// samples stay within a few units of the full 256-entry tables.
std::vector<Gradient> gradients() {
    return {
        {"viridis",
         "perceptually uniform, blue to yellow",
         {{68, 1, 84},
          {72, 40, 120},
          {62, 74, 137},
          {49, 104, 142},
          {38, 130, 142},
          {31, 158, 137},
          {53, 183, 121},
          {110, 206, 88},
          {181, 222, 43},
          {253, 231, 37}}},
        {"magma",
         "perceptually uniform, black to light yellow through purple",
         {{0, 0, 4},
          {24, 15, 61},
          {68, 15, 118},
          {114, 31, 129},
          {158, 47, 127},
          {205, 64, 113},
          {241, 96, 93},
          {253, 150, 104},
          {254, 202, 141},
          {252, 253, 191}}},
        {"inferno",
         "perceptually uniform, black to yellow through red",
         {{0, 0, 4},
          {27, 12, 65},
          {74, 12, 107},
          {120, 28, 109},
          {165, 44, 96},
          {207, 68, 70},
          {237, 105, 37},
          {251, 155, 6},
          {247, 209, 61},
          {252, 255, 164}}},
        {"plasma",
         "perceptually uniform, blue to yellow through magenta",
         {{13, 8, 135},
          {70, 3, 159},
          {114, 1, 168},
          {156, 23, 158},
          {189, 55, 134},
          {216, 87, 107},
          {237, 121, 83},
          {251, 159, 58},
          {253, 202, 38},
          {240, 249, 33}}},
        {"cividis",
         "perceptually uniform, readable with colour-vision deficiency",
         {{0, 34, 78},
          {18, 53, 112},
          {59, 73, 108},
          {87, 93, 109},
          {112, 113, 115},
          {138, 134, 120},
          {165, 156, 116},
          {195, 179, 105},
          {225, 204, 85},
          {254, 232, 56}}},
        {"grey", "black to white", {{0, 0, 0}, {255, 255, 255}}},
        {"fire",
         "black, red, orange, yellow, white",
         {{0, 0, 0}, {128, 0, 0}, {230, 50, 0}, {255, 150, 0}, {255, 230, 90}, {255, 255, 255}}},
        {"ice",
         "deep blue to white",
         {{0, 0, 40}, {0, 60, 130}, {50, 150, 220}, {170, 225, 250}, {255, 255, 255}}},
        {"ocean",
         "navy through teal to foam",
         {{0, 10, 40}, {0, 60, 110}, {0, 130, 160}, {90, 200, 190}, {230, 250, 240}}},
        {"sunset",
         "violet dusk to golden light",
         {{40, 10, 60}, {120, 30, 100}, {200, 60, 90}, {250, 130, 60}, {255, 220, 120}}},
        {"copper",
         "black to bright copper",
         {{0, 0, 0}, {160, 80, 40}, {255, 160, 100}, {255, 225, 190}}},
        {"rainbow",
         "the hue circle from red to magenta",
         {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255}}},
        {"cycle",
         "white, blue, black, red and back to white: no seam where indices wrap",
         {{255, 255, 255}, {60, 90, 200}, {10, 10, 20}, {200, 50, 40}, {255, 255, 255}}},
    };
}

Palette interpolate(const std::vector<Stop>& stops) {
    Palette p{};
    const int segments = static_cast<int>(stops.size()) - 1;
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0 * segments;
        const int k = i == 255 ? segments - 1 : trunc32(t);
        const double f = t - k;
        for (int c = 0; c < 3; ++c)
            p[i][c] = static_cast<unsigned char>(
                trunc32(stops[k][c] + (stops[k + 1][c] - stops[k][c]) * f + 0.5));
    }
    return p;
}

// One entry a line; the first line also names the palette (a reader ignores
// what follows the third number).
bool write_map(const std::string& path, const Palette& p, const std::string& about) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return false;
    for (int i = 0; i < 256; ++i)
        std::fprintf(out, i == 0 ? "%d %d %d  %s\n" : "%d %d %d\n", p[i][0], p[i][1], p[i][2],
                     about.c_str());
    return std::fclose(out) == 0;
}

int run(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-maps DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = write_map(dir + "/default1.map", defpal1, "Morvane's Default Palette 1") &&
              write_map(dir + "/default2.map", defpal2, "Morvane's Default Palette 2");
    for (const Gradient& g : gradients())
        ok = ok && write_map(dir + "/" + g.name + ".map", interpolate(g.stops),
                             std::string(g.name) + ": " + g.about);
    if (!ok) std::fprintf(stderr, "make-maps: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}

} // namespace
} // namespace morv

int main(int argc, char** argv) {
    return morv::run(argc, argv);
}
