// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/correlation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace morv {

namespace {

constexpr int kBinsPerOctave = 8; // radii 2^(1/8) apart
constexpr int kOctaves = 40;
constexpr int kBins = kBinsPerOctave * kOctaves;
constexpr long long kMinPairs = 500;           // below, C(r) is too noisy to fit
constexpr int kMinRegion = 3 * kBinsPerOctave; // a scaling region spans a factor 8 at least

using Histogram = std::array<long long, kBins>;

// The largest radius as a share of the set's extent: small enough that the
// pairs within it stay few, large enough that a three-dimensional set still
// has pairs for a scaling region over a factor of 8 or more.
double radius_share(int dim) {
    return dim == 3 ? 1.0 / 16 : 1.0 / 64;
}

// The bin of a squared distance as a share q of the largest squared radius
// (0 < q < 1): bin k holds r_max 2^(-(k+1)/8) <= d < r_max 2^(-k/8).
int bin_of(double q) {
    if (q <= 0) return kBins - 1;
    int e = 0;
    const double m = std::frexp(q, &e); // q = m 2^e, m in [0.5, 1)
    // Four steps of 2^(1/4) in q per octave of q, two octaves of d each.
    constexpr double kQuarter[] = {0.8408964152537145, 0.7071067811865476, 0.5946035575013605};
    int sub = 3;
    for (int i = 0; i < 3; ++i)
        if (m >= kQuarter[i]) {
            sub = i;
            break;
        }
    const long long k = static_cast<long long>(-e) * 4 + sub;
    return static_cast<int>(std::min<long long>(k, kBins - 1));
}

struct Grid {
    std::array<double, 3> low{};
    std::array<int, 3> cells{1, 1, 1};
    double width = 0;
    std::vector<std::uint32_t> first; // points of cell c: order[first[c] .. first[c+1])
    std::vector<std::uint32_t> order; // point indices sorted by cell

    int cell_index(const std::array<int, 3>& c) const {
        return (c[2] * cells[1] + c[1]) * cells[0] + c[0];
    }
    std::array<int, 3> cell_of(const OrbitPoint& p, int dim) const {
        std::array<int, 3> c{};
        for (int i = 0; i < dim; ++i) {
            const std::size_t a = static_cast<std::size_t>(i);
            c[a] = std::min(cells[a] - 1, static_cast<int>((p[a] - low[a]) / width));
        }
        return c;
    }
};

Grid build_grid(const std::vector<OrbitPoint>& pts, int dim, double width,
                const std::array<double, 3>& low, const std::array<double, 3>& high) {
    Grid g;
    g.low = low;
    g.width = width;
    for (int i = 0; i < dim; ++i) {
        const std::size_t a = static_cast<std::size_t>(i);
        g.cells[a] = static_cast<int>((high[a] - low[a]) / width) + 1;
    }
    const std::size_t ncells = static_cast<std::size_t>(g.cells[0]) * g.cells[1] * g.cells[2];
    std::vector<std::uint32_t> count(ncells + 1, 0);
    std::vector<std::uint32_t> cell(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) {
        cell[i] = static_cast<std::uint32_t>(g.cell_index(g.cell_of(pts[i], dim)));
        ++count[cell[i] + 1];
    }
    for (std::size_t c = 1; c <= ncells; ++c)
        count[c] += count[c - 1];
    g.first = count;
    g.order.resize(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i)
        g.order[count[cell[i]]++] = static_cast<std::uint32_t>(i);
    return g;
}

// Half of the 3^dim neighbour offsets (each pair of cells visited once),
// the cell itself first.
std::vector<std::array<int, 3>> half_stencil(int dim) {
    std::vector<std::array<int, 3>> out{{0, 0, 0}};
    const int zr = dim == 3 ? 1 : 0;
    for (int dz = -zr; dz <= zr; ++dz)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const bool later = dz > 0 || (dz == 0 && (dy > 0 || (dy == 0 && dx > 0)));
                if (later) out.push_back({dx, dy, dz});
            }
    return out;
}

void count_pairs(const std::vector<OrbitPoint>& pts, int dim, int theiler, const Grid& g,
                 Histogram& h) {
    const double r2 = g.width * g.width, inv_r2 = 1 / r2;
    const auto stencil = half_stencil(dim);
    const auto near_in_time = [theiler](std::uint32_t a, std::uint32_t b) {
        return (a > b ? a - b : b - a) <= static_cast<std::uint32_t>(theiler);
    };
    for (int cz = 0; cz < g.cells[2]; ++cz)
        for (int cy = 0; cy < g.cells[1]; ++cy)
            for (int cx = 0; cx < g.cells[0]; ++cx) {
                const int c = g.cell_index({cx, cy, cz});
                for (const auto& o : stencil) {
                    const std::array<int, 3> n{cx + o[0], cy + o[1], cz + o[2]};
                    if (n[0] < 0 || n[1] < 0 || n[2] < 0 || n[0] >= g.cells[0] ||
                        n[1] >= g.cells[1] || n[2] >= g.cells[2])
                        continue;
                    const int nc = g.cell_index(n);
                    const bool same = nc == c;
                    for (std::uint32_t i = g.first[static_cast<std::size_t>(c)];
                         i < g.first[static_cast<std::size_t>(c) + 1]; ++i) {
                        const std::uint32_t a = g.order[i];
                        const OrbitPoint& pa = pts[a];
                        const std::uint32_t from =
                            same ? i + 1 : g.first[static_cast<std::size_t>(nc)];
                        for (std::uint32_t j = from; j < g.first[static_cast<std::size_t>(nc) + 1];
                             ++j) {
                            const std::uint32_t b = g.order[j];
                            const OrbitPoint& pb = pts[b];
                            double d2 = 0;
                            for (int k = 0; k < dim; ++k) {
                                const double d = pa[static_cast<std::size_t>(k)] -
                                                 pb[static_cast<std::size_t>(k)];
                                d2 += d * d;
                            }
                            if (d2 >= r2 || near_in_time(a, b)) continue;
                            ++h[static_cast<std::size_t>(bin_of(d2 * inv_r2))];
                        }
                    }
                }
            }
}

struct Fit {
    double slope = 0, error = std::numeric_limits<double>::infinity();
    int from = 0, to = 0; // bins, inclusive
};

Fit least_squares(const std::vector<double>& x, const std::vector<double>& y, int from, int to) {
    const int n = to - from + 1;
    double sx = 0, sy = 0;
    for (int i = from; i <= to; ++i) {
        sx += x[static_cast<std::size_t>(i)];
        sy += y[static_cast<std::size_t>(i)];
    }
    const double mx = sx / n, my = sy / n;
    double sxx = 0, sxy = 0;
    for (int i = from; i <= to; ++i) {
        const double dx = x[static_cast<std::size_t>(i)] - mx;
        sxx += dx * dx;
        sxy += dx * (y[static_cast<std::size_t>(i)] - my);
    }
    Fit f;
    f.slope = sxy / sxx;
    double ssr = 0;
    for (int i = from; i <= to; ++i) {
        const double r =
            y[static_cast<std::size_t>(i)] - (my + f.slope * (x[static_cast<std::size_t>(i)] - mx));
        ssr += r * r;
    }
    f.error = std::sqrt(ssr / (n - 2) / sxx);
    f.from = from;
    f.to = to;
    return f;
}

} // namespace

CorrelationDimension correlation_dimension(const std::vector<OrbitPoint>& pts, int dim,
                                           int theiler) {
    CorrelationDimension out;
    std::array<double, 3> low{}, high{};
    for (int i = 0; i < dim; ++i) {
        const std::size_t a = static_cast<std::size_t>(i);
        low[a] = std::numeric_limits<double>::infinity();
        high[a] = -low[a];
        for (const OrbitPoint& p : pts) {
            low[a] = std::min(low[a], p[a]);
            high[a] = std::max(high[a], p[a]);
        }
    }
    double extent = 0;
    for (int i = 0; i < dim; ++i)
        extent =
            std::max(extent, high[static_cast<std::size_t>(i)] - low[static_cast<std::size_t>(i)]);
    if (pts.size() < 2 || !(extent > 0) || !std::isfinite(extent)) {
        out.failure = "the orbit settles on a point";
        return out;
    }
    const Grid g = build_grid(pts, dim, extent * radius_share(dim), low, high);
    Histogram h{};
    count_pairs(pts, dim, theiler, g, h);
    // C(r_k) up to a constant factor: the pairs closer than r_max 2^(-k/8).
    std::vector<double> logr, logc;
    long long below = 0;
    for (long long n : h)
        below += n;
    out.pairs = below;
    for (int k = 0; k < kBins && below >= kMinPairs; ++k) {
        logr.push_back(std::log(g.width) - k * std::log(2.0) / kBinsPerOctave);
        logc.push_back(std::log(static_cast<double>(below)));
        below -= h[static_cast<std::size_t>(k)];
    }
    const int n = static_cast<int>(logr.size());
    Fit best;
    for (int from = 0; from < n; ++from)
        for (int to = from + kMinRegion; to < n; ++to) {
            const Fit f = least_squares(logr, logc, from, to);
            if (f.error < best.error) best = f;
        }
    if (!std::isfinite(best.error)) {
        out.failure = "too few close pairs for a scaling region";
        return out;
    }
    out.value = best.slope;
    out.error = best.error;
    out.r_high = std::exp(logr[static_cast<std::size_t>(best.from)]);
    out.r_low = std::exp(logr[static_cast<std::size_t>(best.to)]);
    return out;
}

} // namespace morv
