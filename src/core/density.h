// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/palette.h"
#include "core/types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace morv {

struct Params;

// What gives a point its colour in a density: the palette position of its
// speed (the index "Speed - Points" paints), of its |z| (as "Z Plane" places
// it), of the direction it moved in, or of its place in the orbit.
enum class ColorBy { Speed = 0, Z = 1, Direction = 2, Index = 3 };
inline constexpr int kColorByCount = 4;

// One sample of a density: how often the orbit landed on it, exactly, and the
// sum of the linear-light colours of those hits (0..1 per channel each).
struct DensityCell {
    std::uint64_t n = 0;
    double r = 0, g = 0, b = 0;
    bool operator==(const DensityCell&) const = default;
};

using LinearRGB = std::array<double, 3>;
using LinearPalette = std::array<LinearRGB, 256>;

// The sRGB transfer function and its inverse, channel values 0..1.
double srgb_to_linear(double v);
double linear_to_srgb(double v);
LinearPalette linear_palette(const Palette& palette);

// What a density accumulates besides the counts.
struct DensitySettings {
    ColorBy color_by = ColorBy::Speed;
    // Points per pass through the palette when coloured by index.
    std::uint64_t index_span = 1000000;
    bool operator==(const DensitySettings&) const = default;
};

// Per sample of the render's side x side grid: the hit count and the colour
// sum. Fed beside the defined plotting by whatever draws a point that the
// step returned as a pixel; it never touches the canvas or the hit counts.
class Density {
  public:
    // Bytes a density of side x side samples holds.
    static unsigned long long bytes_for(int side);

    // Asks for a density from the next fresh start on (or no more).
    void want(bool on, const DensitySettings& settings = {});
    bool wanted() const { return wanted_; }
    const DensitySettings& settings() const { return settings_; }

    // At a fresh start: side x side zeroed samples when wanted, the palette
    // and the speed rule taken from `ps`. False when the samples would take
    // more than `budget` bytes or cannot be had; the density is then empty.
    bool start(const Params& ps, std::size_t budget);

    bool active() const { return side_ > 0; }
    int side() const { return side_; }

    // One point the orbit plotted at pixel (x, y): v its point, oldv the one
    // before. Pixels off the grid are dropped.
    void add(const Params& ps, int x, int y, const Point3& v, const Point3& oldv) {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(side_) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(side_))
            return;
        const LinearRGB c = color_of(ps, v, oldv);
        DensityCell& cell = cells_[static_cast<std::size_t>(y) * static_cast<std::size_t>(side_) +
                                   static_cast<std::size_t>(x)];
        ++cell.n;
        cell.r += c[0];
        cell.g += c[1];
        cell.b += c[2];
    }

    // The colour a point adds (advances the index of ColorBy::Index).
    LinearRGB color_of(const Params& ps, const Point3& v, const Point3& oldv) {
        return color_at(ps, v, oldv, points_++);
    }
    // The colour of a point that is the index-th its orbit added.
    LinearRGB color_at(const Params& ps, const Point3& v, const Point3& oldv,
                       std::uint64_t index) const;
    // Takes the palette of `ps` for color_at alone, for points summed elsewhere.
    void take_palette(const Params& ps);

    const std::vector<DensityCell>& cells() const { return cells_; }
    std::vector<DensityCell>& cells() { return cells_; }
    std::uint64_t points() const { return points_; }

    // Takes samples made elsewhere (a saved or merged density).
    void adopt(int side, std::vector<DensityCell> cells);

  private:
    LinearRGB at_position(double position) const;

    bool wanted_ = false;
    DensitySettings settings_;
    int side_ = 0;
    std::vector<DensityCell> cells_;
    LinearPalette palette_{};
    std::uint64_t points_ = 0; // points coloured so far, for ColorBy::Index
};

} // namespace morv
