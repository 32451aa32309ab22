// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/preview.h"

#include "core/surface.h"

#include <algorithm>
#include <array>

namespace morv {

namespace {

constexpr Rgb kStockGrey = rgb(128, 128, 128);
constexpr Rgb kFrameOuter = rgb(205, 215, 225); // outermost and innermost line
constexpr Rgb kFrameMiddle = rgb(215, 225, 235);

} // namespace

void draw_palette_preview(const Palette& pal, Rgb back, Surface& out) {
    out.resize(kPreviewWidth, kPreviewHeight, kStockGrey);
    for (int i = 0; i < 3; ++i) {
        const std::array<Point, 4> frame{Point{i, i}, Point{kPreviewWidth - 1 - i, i},
                                         Point{kPreviewWidth - 1 - i, kPreviewHeight - 1 - i},
                                         Point{i, kPreviewHeight - 1 - i}};
        out.polyline_closed(frame, 1, i == 1 ? kFrameMiddle : kFrameOuter);
    }
    out.fill_rect(Rect{3, 3, 3 + 290, 3 + 94}, back);
    // One 50-pixel line per entry; the line leaves out its end point at y = 75.
    for (int i = 0; i < 256; ++i)
        out.line(Point{20 + i, 25}, Point{20 + i, 75}, 1,
                 palette_color(pal, static_cast<unsigned>(i)));
}

int showpalette(const Palette& pal, Rgb back, Surface& target) {
    Surface preview;
    draw_palette_preview(pal, back, preview);
    const int w = std::min(target.width(), kPreviewWidth);
    const int h = std::min(target.height(), kPreviewHeight);
    target.copy_from(preview, Rect{0, 0, w, h}, Point{0, 0});
    return 0;
}

} // namespace morv
