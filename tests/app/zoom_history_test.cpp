#include "app/app_state.h"
#include "app/forms/field_text.h"
#include "app/history.h"
#include "app/zoom.h"

#include <gtest/gtest.h>

#include <array>

namespace morv::test {
namespace {

using namespace morv::app;

void expect_editable(const MINMAX& v, const MINMAX& limits, const char* what) {
    for (const double d : {v.xmin, v.xmax, v.ymin, v.ymax})
        EXPECT_EQ(read_double(show_fixed(d, 15)), d) << what << ": the dialog would change " << d;
    EXPECT_TRUE(v.xmax - v.xmin >= kNarrowestSpan && v.ymax - v.ymin >= kNarrowestSpan) << what;
    EXPECT_TRUE(v.xmin >= limits.xmin && v.xmax <= limits.xmax && v.ymin >= limits.ymin &&
                v.ymax <= limits.ymax)
        << what;
}

TEST(Zoom, RectangleBecomesAnEditableViewOfTheSameAspect) {
    const MINMAX view{-2, 2, -2, 2}, wide{-4, 4, -4, 4};
    const struct {
        const char* what;
        MINMAX limits;
        PixelRect r;
        MINMAX want; // xmin == xmax: only the invariants are checked
    } cases[] = {
        {"square", wide, {100, 100, 299, 299}, {-1, 1, -1, 1}},
        {"corners swapped", wide, {299, 299, 100, 100}, {-1, 1, -1, 1}},
        {"flat: the short side widens", wide, {100, 100, 299, 199}, {-1, 1, -0.5, 1.5}},
        {"top-left pixel", wide, {0, 0, 0, 0}, {}},
        {"one pixel at the limits' corner", view, {0, 0, 0, 0}, {}},
        {"whole canvas", view, {0, 0, 399, 399}, {-2, 2, -2, 2}},
    };
    for (const auto& c : cases) {
        const MINMAX got = zoom_to_rect(view, c.limits, 400, c.r);
        expect_editable(got, c.limits, c.what);
        if (c.want.xmin == c.want.xmax) continue;
        const std::array g{got.xmin, got.xmax, got.ymin, got.ymax},
            w{c.want.xmin, c.want.xmax, c.want.ymin, c.want.ymax};
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_DOUBLE_EQ(g[i], w[i]) << c.what << " " << i;
    }
    const MINMAX corner = zoom_to_rect(view, view, 400, {0, 0, 0, 0});
    EXPECT_EQ(std::pair(corner.xmin, corner.ymax), std::pair(-2.0, 2.0));
}

TEST(Zoom, WheelKeepsThePointUnderThePointer) {
    const MINMAX view{-2, 2, -1, 3}, limits{-8, 8, -8, 8};
    for (const double factor : {0.8, 1.25}) {
        for (const PixelRect p : {PixelRect{0, 0}, PixelRect{123, 321}, PixelRect{399, 399}}) {
            const MINMAX got = zoom_about(view, limits, 400, p.x0, p.y0, factor);
            expect_editable(got, limits, "wheel");
            EXPECT_NEAR(got.xmax - got.xmin, 4 * factor, 1e-12);
            const double fx = (p.x0 + 0.5) / 400, fy = (400 - p.y0 - 0.5) / 400;
            EXPECT_NEAR(got.xmin + fx * (got.xmax - got.xmin), view.xmin + fx * 4, 1e-12);
            EXPECT_NEAR(got.ymin + fy * (got.ymax - got.ymin), view.ymin + fy * 4, 1e-12);
        }
    }
    const MINMAX out = zoom_about(view, limits, 400, 0, 0, 100);
    EXPECT_EQ(std::pair(out.xmin, out.ymax), std::pair(-8.0, 8.0)); // no wider than the limits
    const MINMAX in = zoom_about({0, 0.06, 0, 0.06}, limits, 400, 10, 10, 0.5);
    expect_editable(in, limits, "no narrower than the dialog allows");
}

TEST(History, StepsBackAndForwardToExactlyTheSetsHad) {
    Instance s;
    History h;
    const ParameterSnapshot first = take_snapshot(s);
    s.p[0].a = 1.0000000000000002;
    s.mm[3].xmin = -0.1;
    s.palette[7] = RGB{1, 2, 3};
    const ParameterSnapshot second = take_snapshot(s);
    h.changed(first, second);
    h.changed(second, second); // nothing changed: nothing recorded
    s.type = 5;
    const ParameterSnapshot third = take_snapshot(s);
    h.changed(second, third);
    EXPECT_EQ(h.behind(), 2u);

    auto back = h.back(third);
    ASSERT_TRUE(back);
    restore_snapshot(s, *back);
    EXPECT_EQ(take_snapshot(s), second);
    EXPECT_EQ(s.p[0].a, 1.0000000000000002);
    EXPECT_EQ(h.back(second), first);
    EXPECT_FALSE(h.back(first));
    EXPECT_EQ(h.forward(first), second);
    EXPECT_EQ(h.forward(second), third);
    EXPECT_FALSE(h.forward(third));

    // A new change after stepping back drops the sets ahead.
    h.back(third);
    ParameterSnapshot other = second;
    other.params.speed = 9;
    h.changed(second, other);
    EXPECT_EQ(h.ahead(), 0u);
    EXPECT_EQ(h.back(other), second);
    restore_snapshot(s, first); // the coefficients come back too
    EXPECT_EQ(s.p[0].a, Instance{}.p[0].a);
}

} // namespace
} // namespace morv::test
