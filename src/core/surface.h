// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <cstdint>
#include <span>
#include <vector>

namespace morv {

struct Point {
    int x = 0, y = 0;
};

// A width x height image of 32-bit pixels stored as 0xFFRRGGBB (what Qt shows
// without conversion). Colours cross the API as Rgb. Every operation clips:
// off-surface writes are ignored and off-surface reads return 0.
class Surface {
  public:
    Surface() = default;
    Surface(int width, int height, Rgb fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(height_);
    }

    void resize(int width, int height, Rgb fill = 0);
    // The same for a large surface: false, and the surface unchanged, when its
    // pixels would take more than `max_bytes` or cannot be had at all.
    bool try_resize(int width, int height, Rgb fill, std::size_t max_bytes);

    void set_pixel(int x, int y, Rgb c) {
        if (!contains(x, y)) return;
        pixels_[static_cast<std::size_t>(y) * width_ + x] = to_pixel(c);
        mark_dirty(x, y, x + 1, y + 1);
    }
    Rgb get_pixel(int x, int y) const {
        return contains(x, y) ? to_colorref(pixels_[static_cast<std::size_t>(y) * width_ + x]) : 0;
    }

    void fill_rect(Rect r, Rgb c);
    // A line of pen width 1..3; a 1-pixel line leaves out its end point.
    void line(Point from, Point to, int width, Rgb c);
    // The segments between successive points and back to the first.
    void polyline_closed(std::span<const Point> pts, int width, Rgb c);
    // The interior (even-odd rule) in `fill`, then the outline with a pen.
    void polygon(std::span<const Point> pts, Rgb fill, int pen_width, Rgb pen);
    // Copies the rectangle `from` of `src` so that its corner lands on `to`.
    void copy_from(const Surface& src, Rect from, Point to);

    // The raw 0xFFRRGGBB pixels, row-major.
    const std::uint32_t* data() const { return pixels_.data(); }
    std::uint32_t* data() { return pixels_.data(); }

    // The area changed since the last call (empty when nothing changed); only
    // kept once tracking is on, since only the window surface needs it.
    void track_dirty() { track_dirty_ = true; }
    Rect take_dirty();

    static constexpr std::uint32_t to_pixel(Rgb c) {
        return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    }
    static constexpr Rgb to_colorref(std::uint32_t p) {
        return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
    }

  private:
    void mark_dirty(int l, int t, int r, int b) {
        if (!track_dirty_) return;
        if (l < dirty_.left) dirty_.left = l;
        if (t < dirty_.top) dirty_.top = t;
        if (r > dirty_.right) dirty_.right = r;
        if (b > dirty_.bottom) dirty_.bottom = b;
    }
    void stamp(int x, int y, int width, std::uint32_t pixel);
    void span_row(int y, int x0, int x1, std::uint32_t pixel); // x0..x1 inclusive

    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
    Rect dirty_{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    bool track_dirty_ = false;
};

} // namespace morv
