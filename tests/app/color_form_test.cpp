#include "app/forms/color_form.h"

#include "core/catalogue.h"
#include "core/state.h"

#include <gtest/gtest.h>

using namespace morv;
using namespace morv::app;

namespace {

int type_with_okmethod(int okmethod) {
    for (int t = 0; t < NTYPES; ++t)
        if (catalogue[static_cast<std::size_t>(t)].okmethod == okmethod) return t;
    return -1;
}

} // namespace

TEST(ColorForm, OnlyTheAllowedMethodsCanBeChosen) {
    State s;
    s.type = type_with_okmethod(5);
    ASSERT_GE(s.type, 0);
    ColorForm form;
    const Fields f = form.open(s);
    EXPECT_TRUE(f.enabled.at(kColorMethod));
    EXPECT_FALSE(f.enabled.at(kColorMethod + 1));
    EXPECT_TRUE(f.enabled.at(kColorMethod + 2));
    EXPECT_FALSE(f.enabled.at(kColorMethod + 3));
    EXPECT_TRUE(f.is_checked(kColorMethod + s.method[static_cast<std::size_t>(s.type)] - 1));
}

TEST(ColorForm, FirstOpeningShowsTheMiddleAndOkTakesIt) {
    State s;
    ColorForm form;
    const Fields f = form.open(s);
    EXPECT_EQ(f.position.at(kColorWidthSlider), 1);
    EXPECT_EQ(s.linewidth, 1);
    const Outcome out = form.ok(s, f);
    EXPECT_TRUE(out.close);
    EXPECT_EQ(s.linewidth, 2);
}

TEST(ColorForm, CancelKeepsTheSliderButNotTheWidth) {
    State s;
    ColorForm form;
    form.open(s);
    form.slider_moved(s, kColorWidthSlider, 2);
    form.cancel(s, {});
    EXPECT_EQ(s.linewidth, 1);
    ColorForm again;
    EXPECT_EQ(again.open(s).position.at(kColorWidthSlider), 2);
}

TEST(ColorForm, OkSetsTheCheckedMethod) {
    State s;
    s.type = type_with_okmethod(0xd);
    ASSERT_GE(s.type, 0);
    ColorForm form;
    Fields f = form.open(s);
    f.checked.clear();
    f.checked[kColorMethod + 3] = true;
    form.ok(s, f);
    EXPECT_EQ(s.method[static_cast<std::size_t>(s.type)], 4);
    f.checked.clear(); // none checked: the method stays
    form.ok(s, f);
    EXPECT_EQ(s.method[static_cast<std::size_t>(s.type)], 4);
}
