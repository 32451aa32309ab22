// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/density_sums.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace morv {

namespace {

// 2^-40 of a hit is far below what a 16-bit picture shows.
constexpr int kFinestBits = 40;

std::uint64_t steps_of(double sum, std::uint64_t n, int bits) {
    const double held = std::isnan(sum) ? 0.0 : std::clamp(sum, 0.0, static_cast<double>(n));
    return static_cast<std::uint64_t>(std::llround(std::ldexp(held, bits)));
}

} // namespace

int color_fraction_bits(std::uint64_t iterations) {
    const int used = std::bit_width(iterations);
    return std::clamp(62 - used, 0, kFinestBits);
}

void add_density(const std::vector<DensityCell>& orbit, DensitySums& sums) {
    const std::size_t n = std::min(orbit.size(), sums.cells.size());
    const int bits = sums.frac_bits;
    for (std::size_t i = 0; i < n; ++i) {
        const DensityCell& c = orbit[i];
        if (c.n == 0) continue;
        SumCell& s = sums.cells[i];
        s.n += c.n;
        s.r += steps_of(c.r, c.n, bits);
        s.g += steps_of(c.g, c.n, bits);
        s.b += steps_of(c.b, c.n, bits);
    }
}

void add_hit(SumCell& cell, const LinearRGB& c, int frac_bits) {
    ++cell.n;
    cell.r += steps_of(c[0], 1, frac_bits);
    cell.g += steps_of(c[1], 1, frac_bits);
    cell.b += steps_of(c[2], 1, frac_bits);
}

std::vector<DensityCell> density_cells(std::span<const SumCell> cells, int bits) {
    std::vector<DensityCell> out;
    density_cells_into(cells, bits, out);
    return out;
}

void density_cells_into(std::span<const SumCell> cells, int bits, std::vector<DensityCell>& out) {
    out.resize(cells.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        const SumCell& s = cells[i];
        out[i] = DensityCell{s.n, std::ldexp(static_cast<double>(s.r), -bits),
                             std::ldexp(static_cast<double>(s.g), -bits),
                             std::ldexp(static_cast<double>(s.b), -bits)};
    }
}

} // namespace morv
