#include "core/catalogue.h"
#include "core/state.h"
#include "formulas/steps.h"

#include <gtest/gtest.h>

namespace morv {

TEST(Catalogue, NamesAreExactIncludingDoubledSpaces) {
    EXPECT_EQ(catalogue[0].name, "Henon");
    EXPECT_EQ(catalogue[2].name, "Bifurcation ( Feigenbaum ) Diagram");
    EXPECT_EQ(catalogue[4].name, "Ganymede ( Pickover ) - 3D  + $");
    EXPECT_EQ(catalogue[9].name, "IFS  ( Ferns and More )  +");
    EXPECT_EQ(catalogue[33].name, "Storm Julia ( 2 defaults )  + $");
    EXPECT_EQ(catalogue[37].name, "Cosine Waves  +");
}

TEST(Catalogue, NameMarksMatchOptionBits) {
    for (int t = 0; t < NTYPES; ++t) {
        const TypeInfo& info = catalogue[t];
        const bool random = info.name.find('$') != std::string_view::npos;
        EXPECT_EQ(random, (info.poptions & kOptRandom) != 0) << "type " << t;
        // A type's default colouring method is one it allows (or 0, self-drawn).
        if (info.method != 0) {
            EXPECT_NE(info.okmethod & okmethod_bit(info.method), 0) << "type " << t;
        }
    }
}

TEST(Catalogue, SpotChecksOfTables) {
    EXPECT_DOUBLE_EQ(catalogue[4].pdef.a, -0.967);
    EXPECT_DOUBLE_EQ(catalogue[36].pdef.sp1, 1.0125);
    EXPECT_DOUBLE_EQ(catalogue[2].mmdef.ymin, 0.5); // a placeholder window, upside down
    EXPECT_DOUBLE_EQ(catalogue[2].mmrange.ymax, 0.5);
    EXPECT_DOUBLE_EQ(catalogue[31].mmrange.xmax, 3);
    EXPECT_DOUBLE_EQ(catalogue[12].abcdrange[3], 5.0);
    EXPECT_DOUBLE_EQ(catalogue[36].sprange[2], 1.0);
    EXPECT_EQ(catalogue[33].poptions, 0x32);
    EXPECT_EQ(catalogue[4].okmethod, 0xd);
    EXPECT_EQ(catalogue[21].method, 2);
}

TEST(Catalogue, EveryTypeHasAStepFunction) {
    for (int t = 0; t < NTYPES; ++t)
        EXPECT_NE(fpointer[t], nullptr) << "type " << t;
}

TEST(State, StartsWithTheDefaults) {
    State s;
    EXPECT_EQ(s.type, 0);
    EXPECT_EQ(s.res, 600);
    EXPECT_EQ(s.dres, 600.0);
    EXPECT_EQ(s.speed, 3);
    EXPECT_EQ(s.back, rgb(255, 245, 230));
    EXPECT_EQ(s.fore, rgb(0, 128, 48));
    EXPECT_EQ(s.firstloop, 1);
    EXPECT_EQ(s.okrun, 0);
    EXPECT_EQ(s.intro, 1);
    EXPECT_DOUBLE_EQ(s.rot[21].x, 75);
    EXPECT_DOUBLE_EQ(s.rot[21].y, 350);
    EXPECT_DOUBLE_EQ(s.rot[3].x, 0);
    EXPECT_DOUBLE_EQ(s.p[6].b, -2.3);
    EXPECT_DOUBLE_EQ(s.mm[9].ymax, 9);
    EXPECT_EQ(s.method[3], 2);
    EXPECT_EQ(s.pgmindex, 7);
    EXPECT_DOUBLE_EQ(s.pgmx0[6], 0.7171717);
    EXPECT_EQ(s.fp[1], 85);
    EXPECT_DOUBLE_EQ(s.f[2][1], -0.31);
    EXPECT_EQ(s.vlmaxiter, 64);
    EXPECT_EQ(s.stormflag, 1);
    EXPECT_EQ(s.canvas.width(), 600);
}

TEST(State, EachTypeKeepsItsOwnWorkingCopy) {
    State s;
    s.type = 3;
    s.p[3].xstart = 1.25;
    s.type = 21;
    s.p[21].xstart = -2.5;
    s.type = 3;
    EXPECT_DOUBLE_EQ(s.p[3].xstart, 1.25);
    EXPECT_DOUBLE_EQ(s.p[21].xstart, -2.5);
}

} // namespace morv
