#include "app/forms/background_form.h"

#include "core/state.h"

#include <gtest/gtest.h>

using namespace morv;
using namespace morv::app;

TEST(BackgroundForm, ShowsTheComponentsOfBack) {
    State s;
    const Fields f = BackgroundForm{}.open(s);
    EXPECT_EQ(f.text_of(kBackRed), "255");
    EXPECT_EQ(f.text_of(kBackRed + 1), "245");
    EXPECT_EQ(f.text_of(kBackRed + 2), "230");
}

TEST(BackgroundForm, ComponentsAreClampedAndNonNumbersReadAsZero) {
    State s;
    BackgroundForm form;
    Fields f = form.open(s);
    f.text[kBackRed] = "300";
    f.text[kBackRed + 1] = "-5";
    f.text[kBackRed + 2] = "abc";
    EXPECT_TRUE(form.ok(s, f).close);
    EXPECT_EQ(s.back, 255u);
}

TEST(BackgroundForm, CancelChangesNothing) {
    State s;
    BackgroundForm form;
    Fields f = form.open(s);
    f.text[kBackRed] = "0";
    form.cancel(s, {});
    EXPECT_EQ(s.back, rgb(255, 245, 230));
}
