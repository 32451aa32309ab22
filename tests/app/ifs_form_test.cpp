#include "app/forms/ifs_form.h"

#include "core/state.h"

#include <gtest/gtest.h>

#include <string>

using namespace morv;
using namespace morv::app;

namespace {

void set_probabilities(Fields& f, std::initializer_list<const char*> values) {
    int i = 0;
    for (const char* v : values)
        f.text[kIfsProbability + i++] = v;
}

} // namespace

TEST(IfsForm, OpensWithTheMapsProbabilitiesAndAClearRestoreBox) {
    State s;
    s.frestore = 1;
    const Fields f = IfsForm{}.open(s);
    EXPECT_EQ(f.text_of(kIfsCoefficient + 6 * 1 + 0), "0.84500000");
    EXPECT_EQ(f.text_of(kIfsCoefficient + 6 * 0 + 5), "-0.12000000");
    EXPECT_EQ(f.text_of(kIfsProbability + 1), "85");
    EXPECT_FALSE(f.is_checked(kIfsRestore));
    EXPECT_TRUE(f.is_checked(kIfsColoring));
    EXPECT_EQ(f.text_of(kIfsRed + 1), "128");
}

TEST(IfsForm, ProbabilitiesMustSumToExactlyOneHundred) {
    struct Case {
        std::initializer_list<const char*> p;
        bool accepted;
    };
    for (const Case& c : {Case{{"50", "50", "0", "0", "0", "0"}, true},
                          Case{{"50", "40", "0", "0", "0", "0"}, false},
                          Case{{"150", "-50", "0", "0", "0", "0"}, true}}) {
        State s;
        IfsForm form;
        Fields f = form.open(s);
        set_probabilities(f, c.p);
        const Outcome out = form.ok(s, f);
        EXPECT_EQ(out.close, c.accepted) << *c.p.begin() << " " << *(c.p.begin() + 1);
        if (!c.accepted) {
            ASSERT_EQ(out.messages.size(), 1u);
            EXPECT_EQ(out.messages[0].caption, "Parameter Error");
            EXPECT_EQ(out.messages[0].text, "Sum of p values must equal 100.");
        }
    }
}

TEST(IfsForm, ClampedValuesStayStoredAfterARejectedOk) {
    State s;
    IfsForm form;
    Fields f = form.open(s);
    f.text[kIfsCoefficient] = "3.5";
    f.text[kIfsCoefficient + 1] = "-4";
    set_probabilities(f, {"150", "-50", "1", "0", "0", "0"});
    f.text[kIfsRed] = "1";
    f.checked[kIfsRestore] = true;
    f.checked[kIfsColoring] = false;
    f.checked[kIfsColoring + 1] = true;
    EXPECT_FALSE(form.ok(s, f).close);
    form.cancel(s, {});
    EXPECT_EQ(s.f[0][0], 2.0);
    EXPECT_EQ(s.f[0][1], -1.0);
    EXPECT_EQ(s.fp[0], 100);
    EXPECT_EQ(s.fp[1], 0);
    EXPECT_EQ(s.fp[2], 1);
    // What follows the check waits for an accepted OK.
    EXPECT_EQ(s.fore, rgb(0, 128, 48));
    EXPECT_EQ(s.frestore, 0);
    EXPECT_EQ(s.ifscmode, 0);
}

TEST(IfsForm, AcceptedOkStoresColourRestoreBoxAndColouring) {
    State s;
    IfsForm form;
    Fields f = form.open(s);
    f.text[kIfsRed + 2] = "300";
    f.checked[kIfsRestore] = true;
    f.checked[kIfsColoring] = false;
    f.checked[kIfsColoring + 1] = true;
    EXPECT_TRUE(form.ok(s, f).close);
    EXPECT_EQ(s.fore, rgb(0, 128, 255));
    EXPECT_EQ(s.frestore, 1);
    EXPECT_EQ(s.ifscmode, 1);
    EXPECT_EQ(s.f, fdef); // "%.8f" shows the defaults exactly
}
