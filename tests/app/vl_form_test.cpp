#include "app/forms/vl_form.h"

#include "core/state.h"

#include <gtest/gtest.h>

using namespace morv;
using namespace morv::app;

TEST(VlForm, OpensWithTheSettings) {
    State s;
    s.showorbits = 1;
    const Fields f = VlForm{}.open(s);
    EXPECT_EQ(f.text_of(kVlMaxiter), "64");
    EXPECT_EQ(f.text_of(kVlMaxsize), "256.000000000000000");
    EXPECT_EQ(f.text_of(kVlRadius), "0.100000000000000");
    EXPECT_TRUE(f.is_checked(kVlColoring));
    EXPECT_TRUE(f.is_checked(kVlShowOrbits));
}

TEST(VlForm, NumbersAreClampedWithoutAFreshRender) {
    State s;
    s.firstloop = 0;
    VlForm form;
    Fields f = form.open(s);
    f.text[kVlMaxiter] = "1";
    f.text[kVlRadius] = "0.001";
    f.text[kVlMaxsize] = "1000";
    f.text[kVlH] = "0.25";
    f.text[kVlH + 1] = "-3";
    f.checked[kVlShowOrbits] = true;
    EXPECT_TRUE(form.ok(s, f).close);
    EXPECT_EQ(s.vlmaxiter, 2);
    EXPECT_EQ(s.vlradius, 0.01);
    EXPECT_EQ(s.vlmaxsize, 256.0);
    EXPECT_EQ(s.p[14].sp0, 0.25);
    EXPECT_EQ(s.p[14].sp1, 0.0);
    EXPECT_EQ(s.showorbits, 1);
    EXPECT_EQ(s.firstloop, 0);
    f.text[kVlMaxiter] = "5000";
    form.ok(s, f);
    EXPECT_EQ(s.vlmaxiter, 1024);
}

TEST(VlForm, ANewColouringSchemeAsksForAFreshRender) {
    State s;
    s.firstloop = 0;
    VlForm form;
    Fields f = form.open(s);
    f.checked[kVlColoring] = false;
    f.checked[kVlColoring + 2] = true;
    form.ok(s, f);
    EXPECT_EQ(s.vlcoloring, 2);
    EXPECT_EQ(s.firstloop, 1);
}
