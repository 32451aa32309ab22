// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/forms/field_text.h"
#include "app/history.h"
#include "app/zoom.h"
#include "core/catalogue.h"
#include "core/numeric.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <array>

namespace morv::test {
namespace {

using namespace morv::app;

void expect_editable(const ViewWindow& v, const ViewWindow& limits, const char* what) {
    for (const double d : {v.xmin, v.xmax, v.ymin, v.ymax})
        EXPECT_EQ(read_double(show_fixed(d, 15)), d) << what << ": the dialog would change " << d;
    EXPECT_TRUE(v.xmax - v.xmin >= kNarrowestSpan && v.ymax - v.ymin >= kNarrowestSpan) << what;
    EXPECT_TRUE(v.xmin >= limits.xmin && v.xmax <= limits.xmax && v.ymin >= limits.ymin &&
                v.ymax <= limits.ymax)
        << what;
}

TEST(Zoom, RectangleBecomesAnEditableViewOfTheSameAspect) {
    const ViewWindow view{-2, 2, -2, 2}, wide{-4, 4, -4, 4};
    const struct {
        const char* what;
        ViewWindow limits;
        PixelRect r;
        ViewWindow want; // xmin == xmax: only the invariants are checked
    } cases[] = {
        {"square", wide, {100, 100, 299, 299}, {-1, 1, -1, 1}},
        {"corners swapped", wide, {299, 299, 100, 100}, {-1, 1, -1, 1}},
        {"flat: the short side widens", wide, {100, 100, 299, 199}, {-1, 1, -0.5, 1.5}},
        {"top-left pixel", wide, {0, 0, 0, 0}, {}},
        {"one pixel at the limits' corner", view, {0, 0, 0, 0}, {}},
        {"whole canvas", view, {0, 0, 399, 399}, {-2, 2, -2, 2}},
    };
    for (const auto& c : cases) {
        const ViewWindow got = zoom_to_rect(view, c.limits, 400, c.r);
        expect_editable(got, c.limits, c.what);
        if (c.want.xmin == c.want.xmax) continue;
        const std::array g{got.xmin, got.xmax, got.ymin, got.ymax},
            w{c.want.xmin, c.want.xmax, c.want.ymin, c.want.ymax};
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_DOUBLE_EQ(g[i], w[i]) << c.what << " " << i;
    }
    const ViewWindow corner = zoom_to_rect(view, view, 400, {0, 0, 0, 0});
    EXPECT_EQ(std::pair(corner.xmin, corner.ymax), std::pair(-2.0, 2.0));
}

TEST(Zoom, WheelKeepsThePointUnderThePointer) {
    const ViewWindow view{-2, 2, -1, 3}, limits{-8, 8, -8, 8};
    for (const double factor : {0.8, 1.25}) {
        for (const PixelRect p : {PixelRect{0, 0}, PixelRect{123, 321}, PixelRect{399, 399}}) {
            const ViewWindow got = zoom_about(view, limits, 400, p.x0, p.y0, factor);
            expect_editable(got, limits, "wheel");
            EXPECT_NEAR(got.xmax - got.xmin, 4 * factor, 1e-12);
            const double fx = (p.x0 + 0.5) / 400, fy = (400 - p.y0 - 0.5) / 400;
            EXPECT_NEAR(got.xmin + fx * (got.xmax - got.xmin), view.xmin + fx * 4, 1e-12);
            EXPECT_NEAR(got.ymin + fy * (got.ymax - got.ymin), view.ymin + fy * 4, 1e-12);
        }
    }
    const ViewWindow out = zoom_about(view, limits, 400, 0, 0, 100);
    EXPECT_EQ(std::pair(out.xmin, out.ymax), std::pair(-8.0, 8.0)); // no wider than the limits
    const ViewWindow in = zoom_about({0, 0.06, 0, 0.06}, limits, 400, 10, 10, 0.5);
    expect_editable(in, limits, "no narrower than the dialog allows");
}

TEST(History, StepsBackAndForwardToExactlyTheSetsHad) {
    Instance s;
    History h;
    const ParameterSnapshot first = take_snapshot(s, s);
    s.p[0].a = 1.0000000000000002;
    s.mm[3].xmin = -0.1;
    s.palette[7] = RGB{1, 2, 3};
    const ParameterSnapshot second = take_snapshot(s, s);
    h.changed(first, second);
    h.changed(second, second); // nothing changed: nothing recorded
    s.type = 5;
    const ParameterSnapshot third = take_snapshot(s, s);
    h.changed(second, third);
    EXPECT_EQ(h.behind(), 2u);

    auto back = h.back(third);
    ASSERT_TRUE(back);
    restore_snapshot(s, s, *back);
    EXPECT_EQ(take_snapshot(s, s), second);
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
    restore_snapshot(s, s, first); // the coefficients come back too
    EXPECT_EQ(s.p[0].a, Instance{}.p[0].a);
}

// The middle half of a view.
ViewWindow middle_half(const ViewWindow& v) {
    const double w = v.xmax - v.xmin, h = v.ymax - v.ymin;
    return ViewWindow{v.xmin + w / 4, v.xmax - w / 4, v.ymin + h / 4, v.ymax - h / 4};
}

// A type zooms exactly when its picture follows its view window: every type
// (and the two modes that change the answer) rendered at its default view
// and at the middle half of it.
TEST(Zoom, ExactlyTheTypesWhosePicturesFollowTheirViewZoom) {
    struct Mode {
        int type, rosslerflag, basinflag;
    };
    std::vector<Mode> modes;
    for (int t = 0; t < NTYPES; ++t)
        modes.push_back({t, 0, 0});
    modes.push_back({kTypeRossler, 1, 0});
    modes.push_back({kTypeBasin, 0, 1});
    for (const Mode& m : modes) {
        State a = make_state(m.type);
        a.rosslerflag = m.rosslerflag;
        a.basinflag = m.basinflag;
        State b = a;
        b.mm[m.type] = middle_half(a.mm[m.type]);
        render(a, 30000);
        render(b, 30000);
        // Popcorn reads only the window's low corner, mirrored about 0: its
        // picture changes, but it cannot show a chosen rectangle.
        EXPECT_EQ(follows_view(a) || m.type == kTypePopcorn,
                  canvas_checksum(a) != canvas_checksum(b))
            << m.type << " " << m.rosslerflag << m.basinflag;
    }
}

// Zooming in and all the way out again gives back the default view exactly,
// so the defined picture comes back; panning at the default view stays there.
TEST(Zoom, TheDefaultViewComesBackExactly) {
    for (const int t : {kTypeHenon, kTypeIkeda, kTypeHopalong, kTypeStormJulia}) {
        const ViewWindow def = catalogue[t].mmdef, limits = catalogue[t].mmrange;
        ViewWindow v = zoom_about(def, limits, 600, 123, 456, 0.8);
        v = pan_view(v, limits, 0.25, -0.25);
        for (int i = 0; i < 40; ++i)
            v = zoom_about(v, limits, 600, 10, 20, 1.25);
        if (def == limits) {
            EXPECT_EQ(v, def) << t;
        }
        EXPECT_EQ(pan_view(limits, limits, 0.25, 0.25), limits) << t;
    }
}

// Henon zoomed into a rectangle: orbit points inside it are drawn where the
// view puts them, and the canvas outside their pixels stays background.
TEST(Zoom, AZoomedHenonDrawsItsPointsWhereTheViewSays) {
    State s = make_state(kTypeHenon, 200);
    const ViewWindow view = zoom_to_rect(s.mm[kTypeHenon], catalogue[kTypeHenon].mmrange, 200,
                                         PixelRect{120, 60, 179, 119});
    s.mm[kTypeHenon] = view;
    render(s, 20000);
    State orbit = make_state(kTypeHenon, 200);
    render(orbit, 1);
    const Rgb background = orbit.canvas.get_pixel(100, 100);
    const TypeParams& p = orbit.p[kTypeHenon];
    Point3 v{p.xstart, p.ystart, p.zstart};
    int checked = 0;
    for (int i = 0; i < 20000 && checked < 5; ++i) {
        Point3 next{};
        int x = 0, y = 0;
        (*orbit.steps)[kTypeHenon](orbit, orbit, v, &next, i, &x, &y);
        v = next;
        if (i < 100 || next.x <= view.xmin || next.x >= view.xmax || next.y <= view.ymin ||
            next.y >= view.ymax)
            continue;
        const int col = trunc32((next.x - view.xmin) * 200 / (view.xmax - view.xmin));
        const int row = 199 - trunc32((next.y - view.ymin) * 200 / (view.ymax - view.ymin));
        EXPECT_NE(s.canvas.get_pixel(col, row), background) << col << "," << row;
        ++checked;
    }
    EXPECT_EQ(checked, 5);
}

} // namespace
} // namespace morv::test
