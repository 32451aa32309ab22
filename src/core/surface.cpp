// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <utility>

namespace morv {

Surface::Surface(int width, int height, Rgb fill) {
    resize(width, height, fill);
}

void Surface::resize(int width, int height, Rgb fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, to_pixel(fill));
    mark_dirty(0, 0, width_, height_);
}

bool Surface::try_resize(int width, int height, Rgb fill, std::size_t max_bytes) {
    const auto w = static_cast<std::size_t>(std::max(width, 0));
    const auto h = static_cast<std::size_t>(std::max(height, 0));
    if (h != 0 && w > max_bytes / sizeof(std::uint32_t) / h) return false;
    std::vector<std::uint32_t> pixels;
    try {
        pixels.assign(w * h, to_pixel(fill));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) { // more pixels than a vector can hold
        return false;
    }
    pixels_.swap(pixels);
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    mark_dirty(0, 0, width_, height_);
    return true;
}

void Surface::span_row(int y, int x0, int x1, std::uint32_t pixel) {
    if (y < 0 || y >= height_) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_ - 1);
    if (x0 > x1) return;
    std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
    std::fill(row + x0, row + x1 + 1, pixel);
    mark_dirty(x0, y, x1 + 1, y + 1);
}

void Surface::fill_rect(Rect r, Rgb c) {
    const std::uint32_t pixel = to_pixel(c);
    const int top = std::max(r.top, 0), bottom = std::min(r.bottom, height_);
    for (int y = top; y < bottom; ++y)
        span_row(y, r.left, r.right - 1, pixel);
}

void Surface::stamp(int x, int y, int width, std::uint32_t pixel) {
    if (width <= 1) {
        if (contains(x, y)) {
            pixels_[static_cast<std::size_t>(y) * width_ + x] = pixel;
            mark_dirty(x, y, x + 1, y + 1);
        }
        return;
    }
    // A square pen centred on the point (for even widths the extra pixel goes
    // right and down).
    const int lo = -(width - 1) / 2, hi = width / 2;
    for (int dy = lo; dy <= hi; ++dy)
        span_row(y + dy, x + lo, x + hi, pixel);
}

namespace {

// A wide pen paints up to one pixel beside the line.
constexpr int kPenReach = 1;

// A line seen along its major axis: n steps from `from`, m of them also
// moving one pixel along the minor axis.
struct LineSteps {
    bool x_major;
    std::int64_t n, m, major0, minor0;
    int major_sign, minor_sign;
};

LineSteps steps_of(Point from, Point to) {
    const std::int64_t ddx = std::int64_t{to.x} - from.x, ddy = std::int64_t{to.y} - from.y;
    const std::int64_t adx = ddx < 0 ? -ddx : ddx, ady = ddy < 0 ? -ddy : ddy;
    LineSteps l{};
    l.x_major = adx >= ady;
    l.n = l.x_major ? adx : ady;
    l.m = l.x_major ? ady : adx;
    l.major0 = l.x_major ? from.x : from.y;
    l.minor0 = l.x_major ? from.y : from.x;
    l.major_sign = (l.x_major ? ddx : ddy) < 0 ? -1 : 1;
    l.minor_sign = (l.x_major ? ddy : ddx) < 0 ? -1 : 1;
    return l;
}

// The steps that can touch a surface whose major axis ends at `major_end`;
// a thin line leaves out its end point. Empty when first > last.
std::pair<std::int64_t, std::int64_t> visible_steps(const LineSteps& l, std::int64_t major_end,
                                                    int width) {
    std::int64_t first = 0, last = width > 1 ? l.n : l.n - 1;
    if (l.major_sign > 0) {
        first = std::max(first, -kPenReach - l.major0);
        last = std::min(last, major_end + kPenReach - l.major0);
    } else {
        first = std::max(first, l.major0 - major_end - kPenReach);
        last = std::min(last, l.major0 + kPenReach);
    }
    return {first, last};
}

// The minor offset q at step t and the remainder r of (2tm + n) / 2n, which
// the walk carries from step to step (t and m reach 2^32: the product needs
// 128 bits).
std::pair<std::int64_t, std::int64_t> offset_at(const LineSteps& l, std::int64_t t) {
    if (l.n == 0) return {0, 0};
    const __int128 num = static_cast<__int128>(2 * t) * l.m + l.n;
    return {static_cast<std::int64_t>(num / (2 * l.n)), static_cast<std::int64_t>(num % (2 * l.n))};
}

} // namespace

void Surface::line(Point from, Point to, int width, Rgb c) {
    width = std::clamp(width, 1, 3);
    const std::uint32_t pixel = to_pixel(c);
    // Steps are counted along the major axis from `from`; step t lies at
    // minor offset round(t * m / n), halves rounded up: the pixels a Bresenham
    // walk from `from` visits. The walk starts at the surface's edge with the
    // offset computed there rather than from a rounded clipped end point, so a
    // line shows the same pixels on surfaces of any size.
    const LineSteps l = steps_of(from, to);
    const std::int64_t minor_end = (l.x_major ? height_ : width_) - 1;
    const auto [first, last] = visible_steps(l, (l.x_major ? width_ : height_) - 1, width);
    if (first > last) return;
    const std::int64_t two_n = 2 * l.n;
    auto [q, r] = offset_at(l, first);
    for (std::int64_t t = first; t <= last; ++t) {
        const std::int64_t minor = l.minor0 + l.minor_sign * q;
        if (minor >= -kPenReach && minor <= minor_end + kPenReach) {
            const int major = static_cast<int>(l.major0 + l.major_sign * t);
            if (l.x_major)
                stamp(major, static_cast<int>(minor), width, pixel);
            else
                stamp(static_cast<int>(minor), major, width, pixel);
        }
        r += 2 * l.m; // m <= n: at most one carry
        if (r >= two_n) {
            r -= two_n;
            ++q;
        }
    }
}

void Surface::polyline_closed(std::span<const Point> pts, int width, Rgb c) {
    if (pts.empty()) return;
    for (std::size_t i = 0; i < pts.size(); ++i)
        line(pts[i], pts[(i + 1) % pts.size()], width, c);
}

void Surface::polygon(std::span<const Point> pts, Rgb fill, int pen_width, Rgb pen) {
    if (pts.size() < 3) {
        polyline_closed(pts, pen_width, pen);
        return;
    }
    const std::uint32_t pixel = to_pixel(fill);
    int ymin = pts[0].y, ymax = pts[0].y;
    for (const Point& p : pts) {
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    ymin = std::max(ymin, 0);
    ymax = std::min(ymax, height_ - 1);
    std::vector<double> xs;
    for (int y = ymin; y <= ymax; ++y) {
        const double yc = y + 0.5; // sample at pixel centres
        xs.clear();
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Point a = pts[i], b = pts[(i + 1) % pts.size()];
            if ((a.y <= yc) == (b.y <= yc)) continue;
            xs.push_back(a.x + (yc - a.y) * (static_cast<double>(b.x) - a.x) /
                                   (static_cast<double>(b.y) - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const double l = std::ceil(xs[i] - 0.5), r = std::floor(xs[i + 1] - 0.5);
            if (r < 0 || l >= width_) continue;
            span_row(y, static_cast<int>(std::max(l, 0.0)),
                     static_cast<int>(std::min(r, static_cast<double>(width_))), pixel);
        }
    }
    polyline_closed(pts, pen_width, pen);
}

void Surface::copy_from(const Surface& src, Rect from, Point to) {
    for (int y = from.top; y < from.bottom; ++y) {
        const int ty = to.y + (y - from.top);
        if (ty < 0 || ty >= height_) continue;
        for (int x = from.left; x < from.right; ++x) {
            const int tx = to.x + (x - from.left);
            if (!contains(tx, ty)) continue;
            pixels_[static_cast<std::size_t>(ty) * width_ + tx] =
                src.contains(x, y) ? src.pixels_[static_cast<std::size_t>(y) * src.width_ + x]
                                   : to_pixel(0);
        }
    }
    mark_dirty(std::max(to.x, 0), std::max(to.y, 0),
               std::min(to.x + (from.right - from.left), width_),
               std::min(to.y + (from.bottom - from.top), height_));
}

Rect Surface::take_dirty() {
    Rect r = dirty_;
    dirty_ = Rect{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    if (r.empty()) return Rect{};
    return r;
}

} // namespace morv
