// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/density.h"

#include "core/numeric.h"
#include "core/params.h"
#include "core/speed_color.h"

#include <cmath>
#include <new>
#include <numbers>

namespace morv {

double srgb_to_linear(double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double linear_to_srgb(double v) {
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

LinearPalette linear_palette(const Palette& palette) {
    LinearPalette out{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        for (std::size_t c = 0; c < 3; ++c)
            out[i][c] = srgb_to_linear(palette[i][c] / 255.0);
    return out;
}

unsigned long long Density::bytes_for(int side) {
    const unsigned long long n = side > 0 ? static_cast<unsigned long long>(side) : 0;
    return n * n * sizeof(DensityCell);
}

void Density::want(bool on, const DensitySettings& settings) {
    wanted_ = on;
    settings_ = settings;
    if (settings_.index_span == 0) settings_.index_span = 1;
}

bool Density::start(const Params& ps, std::size_t budget) {
    points_ = 0;
    if (!wanted_) {
        cells_ = std::vector<DensityCell>();
        side_ = 0;
        return true;
    }
    palette_ = linear_palette(ps.palette);
    const std::size_t n = static_cast<std::size_t>(ps.res) * static_cast<std::size_t>(ps.res);
    if (side_ == ps.res && cells_.size() == n) {
        std::fill(cells_.begin(), cells_.end(), DensityCell{});
        return true;
    }
    cells_ = std::vector<DensityCell>();
    side_ = 0;
    if (ps.res < 1 || Density::bytes_for(ps.res) > budget) return false;
    try {
        cells_.assign(n, DensityCell{});
    } catch (const std::bad_alloc&) {
        cells_ = std::vector<DensityCell>();
        return false;
    }
    side_ = ps.res;
    return true;
}

void Density::adopt(int side, std::vector<DensityCell> cells) {
    side_ = side;
    cells_ = std::move(cells);
}

// Positions 1..255 of the palette, between entries blended in linear light;
// anything else (NaN included) is held to the nearest end.
LinearRGB Density::at_position(double position) const {
    if (!(position > 1.0)) return palette_[1];
    if (position >= 255.0) return palette_[255];
    const double lo = std::floor(position), f = position - lo;
    const auto i = static_cast<std::size_t>(trunc32(lo));
    const LinearRGB& a = palette_[i];
    const LinearRGB& b = palette_[i + 1];
    return {a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f, a[2] + (b[2] - a[2]) * f};
}

void Density::take_palette(const Params& ps) {
    palette_ = linear_palette(ps.palette);
}

LinearRGB Density::color_at(const Params& ps, const Point3& v, const Point3& oldv,
                            std::uint64_t index) const {
    switch (settings_.color_by) {
    case ColorBy::Speed:
        return palette_[speed_color_index(ps, v, oldv)];
    case ColorBy::Z:
        return at_position(std::fabs(v.z) * 255);
    case ColorBy::Direction: {
        const double dx = v.x - oldv.x, dy = v.y - oldv.y;
        const double turn = (std::atan2(dy, dx) + std::numbers::pi) / (2 * std::numbers::pi);
        return at_position(1 + 254 * turn);
    }
    case ColorBy::Index: {
        const std::uint64_t i = index % settings_.index_span;
        return at_position(1 + 254 * (static_cast<double>(i) / settings_.index_span));
    }
    }
    return palette_[1];
}

} // namespace morv
