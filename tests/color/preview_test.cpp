// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/preview.h"

#include "core/state.h"

#include <gtest/gtest.h>

namespace morv {
namespace {

// Frame, background and one line per entry; the window outside the preview and
// the parts a smaller window cannot hold are left alone.
TEST(PalettePreview, FrameBackgroundAndOneLinePerEntryCutToTheWindow) {
    const Rgb frame = rgb(205, 215, 225), old = rgb(1, 1, 1);
    for (const auto& [w, h] : {std::pair{400, 300}, {50, 30}}) {
        State s;
        Palette paltemp{};
        s.back = rgb(9, 8, 7);
        for (int i = 0; i < 256; ++i)
            paltemp[i] = RGB{static_cast<unsigned char>(i), 0, static_cast<unsigned char>(255 - i)};
        attach_window(s, w, h);
        s.window.fill_rect(Rect{0, 0, w, h}, old);
        EXPECT_EQ(showpalette(paltemp, s.back, s.window), 0);
        const Surface& win = s.window;
        EXPECT_EQ(win.get_pixel(0, 0), frame);
        EXPECT_EQ(win.get_pixel(1, 20), rgb(215, 225, 235));
        EXPECT_EQ(win.get_pixel(3, 3), s.back);
        EXPECT_EQ(win.get_pixel(19, 25), s.back);
        EXPECT_EQ(win.get_pixel(20, 25), rgb(0, 0, 255));
        if (w == 50) {
            EXPECT_EQ(win.get_pixel(49, 29), palette_color(paltemp, 29));
            continue;
        }
        EXPECT_EQ(win.get_pixel(295, 99), frame);
        EXPECT_EQ(win.get_pixel(292, 96), s.back);
        EXPECT_EQ(win.get_pixel(275, 74), rgb(255, 0, 0));
        EXPECT_EQ(win.get_pixel(100, 24), s.back);
        EXPECT_EQ(win.get_pixel(100, 75), s.back); // the line leaves out its end point
        EXPECT_EQ(win.get_pixel(296, 0), old);
        EXPECT_EQ(win.get_pixel(0, 100), old);
    }
}

} // namespace
} // namespace morv
