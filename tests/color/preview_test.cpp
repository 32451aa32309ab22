#include "color/preview.h"

#include "core/state.h"

#include <gtest/gtest.h>

namespace morv {
namespace {

TEST(PalettePreview, FrameBackgroundAndOneLinePerEntry) {
    State s;
    s.back = rgb(9, 8, 7);
    for (int i = 0; i < 256; ++i)
        s.paltemp[i] = RGB{static_cast<unsigned char>(i), 0, static_cast<unsigned char>(255 - i)};
    attach_window(s, 400, 300);
    s.window.fill_rect(Rect{0, 0, 400, 300}, rgb(1, 1, 1));
    EXPECT_EQ(showpalette(s, s.window), 0);

    const Surface& w = s.window;
    EXPECT_EQ(w.get_pixel(0, 0), rgb(205, 215, 225));
    EXPECT_EQ(w.get_pixel(295, 99), rgb(205, 215, 225));
    EXPECT_EQ(w.get_pixel(1, 50), rgb(215, 225, 235));
    EXPECT_EQ(w.get_pixel(2, 2), rgb(205, 215, 225));
    EXPECT_EQ(w.get_pixel(3, 3), s.back);
    EXPECT_EQ(w.get_pixel(292, 96), s.back);
    EXPECT_EQ(w.get_pixel(19, 50), s.back);
    EXPECT_EQ(w.get_pixel(20, 25), rgb(0, 0, 255));
    EXPECT_EQ(w.get_pixel(275, 74), rgb(255, 0, 0));
    EXPECT_EQ(w.get_pixel(100, 24), s.back);
    EXPECT_EQ(w.get_pixel(100, 75), s.back); // the line leaves out its end point
    EXPECT_EQ(w.get_pixel(296, 0), rgb(1, 1, 1));
    EXPECT_EQ(w.get_pixel(0, 100), rgb(1, 1, 1));
}

TEST(PalettePreview, IsCutToASmallerWindow) {
    State s;
    attach_window(s, 50, 30);
    s.window.fill_rect(Rect{0, 0, 50, 30}, rgb(1, 1, 1));
    showpalette(s, s.window);
    EXPECT_EQ(s.window.get_pixel(0, 0), rgb(205, 215, 225));
    EXPECT_EQ(s.window.get_pixel(49, 29), palette_color(s.paltemp, 29));
    Surface preview;
    draw_palette_preview(s.paltemp, s.back, preview);
    EXPECT_EQ(preview.width(), 296);
    EXPECT_EQ(preview.height(), 100);
}

} // namespace
} // namespace morv
