#include "app/forms/sierpinski_form.h"

#include "core/state.h"

#include <gtest/gtest.h>

using namespace morv;
using namespace morv::app;

TEST(SierpinskiForm, OpensWithTheCurrentModesAndColour) {
    State s;
    s.smode = 4;
    s.scmode = 1;
    const Fields f = SierpinskiForm{}.open(s);
    EXPECT_EQ(f.first_checked(kSierpinskiShape, 6), 4);
    EXPECT_EQ(f.first_checked(kSierpinskiColoring, 2), 1);
    EXPECT_EQ(f.text_of(kSierpinskiRed), "0");
    EXPECT_EQ(f.text_of(kSierpinskiRed + 1), "128");
    EXPECT_EQ(f.text_of(kSierpinskiRed + 2), "48");
}

TEST(SierpinskiForm, OkStoresModesAndClampedColour) {
    State s;
    SierpinskiForm form;
    Fields f = form.open(s);
    f.checked.clear();
    f.checked[kSierpinskiShape + 5] = true;
    f.checked[kSierpinskiColoring + 1] = true;
    f.text[kSierpinskiRed] = "999";
    f.text[kSierpinskiRed + 1] = "10";
    f.text[kSierpinskiRed + 2] = "x";
    EXPECT_TRUE(form.ok(s, f).close);
    EXPECT_EQ(s.smode, 5);
    EXPECT_EQ(s.scmode, 1);
    EXPECT_EQ(s.fore, rgb(255, 10, 0));
}

TEST(SierpinskiForm, ModesOutOfRangeCheckNothingAndStayUnlessChosen) {
    State s;
    s.smode = 15; // 670 + 15 is a colour field's id
    SierpinskiForm form;
    Fields f = form.open(s);
    EXPECT_EQ(f.first_checked(kSierpinskiShape, 6), -1);
    EXPECT_FALSE(f.is_checked(kSierpinskiRed));
    form.ok(s, f);
    EXPECT_EQ(s.smode, 15);
}
