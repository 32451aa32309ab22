#include "core/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace morv {

Surface::Surface(int width, int height, COLORREF fill) {
    resize(width, height, fill);
}

void Surface::resize(int width, int height, COLORREF fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, to_pixel(fill));
    mark_dirty(0, 0, width_, height_);
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

void Surface::fill_rect(Rect r, COLORREF c) {
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

// Liang-Barsky: clips the segment a..b to the box; false when nothing is left.
bool clip_segment(double& ax, double& ay, double& bx, double& by, double lo_x, double lo_y,
                  double hi_x, double hi_y) {
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - lo_x, hi_x - ax, ay - lo_y, hi_y - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double nax = ax + t0 * dx, nay = ay + t0 * dy;
    bx = ax + t1 * dx;
    by = ay + t1 * dy;
    ax = nax;
    ay = nay;
    return true;
}

} // namespace

void Surface::line(Point from, Point to, int width, COLORREF c) {
    width = std::clamp(width, 1, 3);
    const std::uint32_t pixel = to_pixel(c);
    // End points may lie anywhere in the int range: clip to a box a little
    // larger than the surface first, so the walk below stays short.
    const double margin = 4;
    const double lo_x = -margin, lo_y = -margin, hi_x = width_ + margin, hi_y = height_ + margin;
    const bool inside = from.x >= lo_x && from.x <= hi_x && from.y >= lo_y && from.y <= hi_y &&
                        to.x >= lo_x && to.x <= hi_x && to.y >= lo_y && to.y <= hi_y;
    bool draw_end = width > 1;
    if (!inside) {
        double ax = from.x, ay = from.y, bx = to.x, by = to.y;
        if (!clip_segment(ax, ay, bx, by, lo_x, lo_y, hi_x, hi_y)) return;
        from = {static_cast<int>(std::lround(ax)), static_cast<int>(std::lround(ay))};
        const Point clipped{static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by))};
        if (clipped.x != to.x || clipped.y != to.y) draw_end = true; // the true end lies beyond
        to = clipped;
    }
    int x = from.x, y = from.y;
    const int dx = std::abs(to.x - x), dy = -std::abs(to.y - y);
    const int sx = x < to.x ? 1 : -1, sy = y < to.y ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        const bool at_end = x == to.x && y == to.y;
        if (at_end && !draw_end) break; // a thin line leaves out its end point
        stamp(x, y, width, pixel);
        if (at_end) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Surface::polyline_closed(std::span<const Point> pts, int width, COLORREF c) {
    if (pts.empty()) return;
    for (std::size_t i = 0; i < pts.size(); ++i)
        line(pts[i], pts[(i + 1) % pts.size()], width, c);
}

void Surface::polygon(std::span<const Point> pts, COLORREF fill, int pen_width, COLORREF pen) {
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
