#include "app/forms/field_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace morv::app;

TEST(FieldText, IntegersReadLikeTheRuntimeLibrary) {
    EXPECT_EQ(read_int("  42abc"), 42);
    EXPECT_EQ(read_int("-17"), -17);
    EXPECT_EQ(read_int("+3.9"), 3);
    EXPECT_EQ(read_int("abc"), 0);
    EXPECT_EQ(read_int(""), 0);
    EXPECT_EQ(read_int("- 5"), 0);
    EXPECT_EQ(read_int("99999999999999999999"), INT_MAX);
    EXPECT_EQ(read_int("-99999999999999999999"), INT_MIN);
}

TEST(FieldText, RealsAreDecimalOnly) {
    EXPECT_EQ(read_double(" -1.5e2x"), -150.0);
    EXPECT_EQ(read_double(".5"), 0.5);
    EXPECT_EQ(read_double("5."), 5.0);
    EXPECT_EQ(read_double("2e"), 2.0);
    EXPECT_EQ(read_double("nan"), 0.0);
    EXPECT_EQ(read_double("inf"), 0.0);
    EXPECT_EQ(read_double("0x10"), 0.0);
    EXPECT_EQ(read_double("."), 0.0);
    EXPECT_EQ(read_double("1e999"), HUGE_VAL);
    EXPECT_EQ(read_double("-1e999"), -HUGE_VAL);
    EXPECT_EQ(read_double("1e-999"), 0.0);
}

TEST(FieldText, OnlyTheFirst29CharactersCount) {
    const std::string digits(29, '1');
    EXPECT_EQ(read_double(digits + "999"), read_double(digits));
    EXPECT_EQ(read_int(std::string(28, ' ') + "75"), 7);
    EXPECT_EQ(read_double(std::string(29, ' ') + "5"), 0.0);
}

TEST(FieldText, FormatsLikePrintf) {
    EXPECT_EQ(show_fixed(-0.967, 15), "-0.967000000000000");
    EXPECT_EQ(show_fixed(0.845, 8), "0.84500000");
    EXPECT_EQ(show_fixed(1e300, 1).size(), 303u);
    EXPECT_EQ(show_int(-2147483647 - 1), "-2147483648");
}
