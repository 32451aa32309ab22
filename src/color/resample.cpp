// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/resample.h"

#include "color/bands.h"
#include "core/numeric.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace morv {

namespace {

// For each output pixel along one axis, the samples it reads and their weights.
struct Taps {
    int max_count = 0;
    std::vector<int> first, count;
    std::vector<double> weight; // max_count per pixel
};

// pbrt's Gaussian: the bell less its value at the radius, so that it meets
// zero there without a step.
double gaussian(double d, double radius) {
    const double sigma = radius / 3;
    const double edge = std::exp(-radius * radius / (2 * sigma * sigma));
    return std::max(0.0, std::exp(-d * d / (2 * sigma * sigma)) - edge);
}

Taps taps_for(int samples, int pixels, int s, double width) {
    const double radius = width / 2;
    Taps t;
    t.max_count = trunc32(std::ceil(2 * radius * s)) + 2;
    t.first.assign(static_cast<std::size_t>(pixels), 0);
    t.count.assign(static_cast<std::size_t>(pixels), 0);
    t.weight.assign(static_cast<std::size_t>(pixels) * static_cast<std::size_t>(t.max_count), 0);
    for (int j = 0; j < pixels; ++j) {
        const double centre = j + 0.5;
        const int lo = trunc32(std::floor((centre - radius) * s - 0.5));
        const int hi = lo + t.max_count - 1;
        double total = 0;
        for (int i = lo; i <= hi; ++i)
            total += gaussian((i + 0.5) / s - centre, radius);
        const double scale = total > 0 ? s / total : 0;
        const int first = std::max(lo, 0), last = std::min(hi, samples - 1);
        t.first[j] = first;
        t.count[j] = std::max(0, last - first + 1);
        for (int i = first; i <= last; ++i)
            t.weight[static_cast<std::size_t>(j) * t.max_count + (i - first)] =
                gaussian((i + 0.5) / s - centre, radius) * scale;
    }
    return t;
}

ToneCell as_tone(const DensityCell& c) {
    return {static_cast<double>(c.n), c.r, c.g, c.b};
}

void add_weighted(ToneCell& to, const ToneCell& c, double w) {
    to.n += w * c.n;
    to.r += w * c.r;
    to.g += w * c.g;
    to.b += w * c.b;
}

// Output rows [y0, y1): each sample row filtered across once into a ring of
// as many rows as one pixel reads, then the rows summed down.
void filter_rows(std::span<const DensityCell> cells, int side, const Taps& t, int y0, int y1,
                 std::vector<ToneCell>& out, int out_side) {
    const auto w = static_cast<std::size_t>(out_side);
    std::vector<ToneCell> ring(static_cast<std::size_t>(t.max_count) * w);
    std::vector<int> ring_row(static_cast<std::size_t>(t.max_count), -1);
    for (int oy = y0; oy < y1; ++oy) {
        ToneCell* dst = out.data() + static_cast<std::size_t>(oy) * w;
        for (int k = 0; k < t.count[oy]; ++k) {
            const int row = t.first[oy] + k;
            const auto slot = static_cast<std::size_t>(row % t.max_count);
            ToneCell* across = ring.data() + slot * w;
            if (ring_row[slot] != row) {
                ring_row[slot] = row;
                const DensityCell* src = cells.data() + static_cast<std::size_t>(row) * side;
                for (int ox = 0; ox < out_side; ++ox) {
                    ToneCell sum;
                    const double* wx = &t.weight[static_cast<std::size_t>(ox) * t.max_count];
                    for (int i = 0; i < t.count[ox]; ++i)
                        add_weighted(sum, as_tone(src[t.first[ox] + i]), wx[i]);
                    across[ox] = sum;
                }
            }
            const double wy = t.weight[static_cast<std::size_t>(oy) * t.max_count + k];
            for (int ox = 0; ox < out_side; ++ox)
                add_weighted(dst[ox], across[ox], wy);
        }
    }
}

} // namespace

bool downsample(std::span<const DensityCell> cells, int side, const ReconstructionFilter& filter,
                FilteredDensity& out, unsigned threads) {
    // The cells' memory is kept for the next filtering of the same size, as
    // while points arrive.
    out.side = 0;
    out.nmax = 0;
    const int s = std::clamp(filter.oversample, 1, 4);
    const int out_side = side / s;
    if (side < 1 || out_side < 1 ||
        cells.size() < static_cast<std::size_t>(side) * static_cast<std::size_t>(side)) {
        out.cells.clear();
        return true;
    }
    try {
        const std::size_t pixels = static_cast<std::size_t>(out_side) * out_side;
        if (out.cells.capacity() / 2 > pixels) std::vector<ToneCell>().swap(out.cells);
        if (s == 1) {
            out.cells.resize(pixels);
            std::transform(cells.begin(),
                           cells.begin() + static_cast<std::ptrdiff_t>(out.cells.size()),
                           out.cells.begin(), as_tone);
        } else {
            out.cells.assign(pixels, ToneCell{});
            const Taps t = taps_for(side, out_side, s, std::clamp(filter.width, 1.0, 8.0));
            std::vector<char> failed(std::max(1u, threads), 0);
            for_bands(static_cast<std::size_t>(out_side), threads, 1,
                      [&](unsigned band, std::size_t first, std::size_t n) {
                          try {
                              filter_rows(cells, side, t, static_cast<int>(first),
                                          static_cast<int>(first + n), out.cells, out_side);
                          } catch (const std::bad_alloc&) {
                              failed[band] = 1;
                          }
                      });
            if (std::find(failed.begin(), failed.end(), 1) != failed.end()) throw std::bad_alloc();
        }
    } catch (const std::bad_alloc&) {
        out = FilteredDensity{};
        return false;
    }
    out.side = out_side;
    for (const ToneCell& c : out.cells)
        out.nmax = std::max(out.nmax, c.n);
    return true;
}

} // namespace morv
