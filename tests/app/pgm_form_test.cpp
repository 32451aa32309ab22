#include "app/forms/pgm_form.h"

#include "core/state.h"

#include <gtest/gtest.h>

using namespace morv;
using namespace morv::app;

TEST(PgmFormulaForm, AnotherFormulaAsksForAFreshRender) {
    State s;
    s.firstloop = 0;
    PgmFormulaForm form;
    Fields f = form.open(s);
    EXPECT_EQ(f.first_checked(kPgmFormula, 8), 7);
    form.ok(s, f);
    EXPECT_EQ(s.firstloop, 0);
    f.checked.clear();
    f.checked[kPgmFormula + 2] = true;
    form.ok(s, f);
    EXPECT_EQ(s.pgmindex, 2);
    EXPECT_EQ(s.firstloop, 1);
}

TEST(PgmParamsForm, UnchangedValuesAskForNothing) {
    State s;
    s.firstloop = 0;
    s.prestore = 1;
    PgmParamsForm form;
    const Fields f = form.open(s);
    EXPECT_EQ(f.text_of(kPgmScale), "25.000000000000000");
    EXPECT_EQ(f.text_of(kPgmX0), "1.234500000000000");
    EXPECT_FALSE(f.is_checked(kPgmRestore));
    for (int k = 0; k < 8; ++k) { // every formula's default start point survives the text
        s.pgmindex = k;
        form.ok(s, form.open(s));
        EXPECT_EQ(s.firstloop, 0) << k;
    }
    EXPECT_EQ(s.prestore, 0);
}

TEST(PgmParamsForm, ScaleZeroIsRaisedToOneAndRerenders) {
    State s;
    s.firstloop = 0;
    PgmParamsForm form;
    Fields f = form.open(s);
    f.text[kPgmScale] = "0";
    f.text[kPgmY0] = "-20";
    f.checked[kPgmRestore] = true;
    form.ok(s, f);
    EXPECT_EQ(s.pgmscale, 1.0);
    EXPECT_EQ(s.pgmy0[7], -10.0);
    EXPECT_EQ(s.pgmx0[7], dpgmx0[7]);
    EXPECT_EQ(s.firstloop, 1);
    EXPECT_EQ(s.prestore, 1);
}

TEST(PgmParamsForm, AFormulaIndexOutOfRangeTouchesNoStartPoint) {
    State s;
    s.pgmindex = 8;
    PgmParamsForm form;
    Fields f = form.open(s);
    EXPECT_EQ(f.text_of(kPgmX0), "");
    f.text[kPgmX0] = "3";
    form.ok(s, f);
    EXPECT_EQ(s.pgmx0, dpgmx0);
}
