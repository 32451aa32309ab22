#include "app/forms/field_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace morv::app;

// Fields read like the C runtime's atoi and strtod, decimal only, over their
// first 29 characters; out-of-range numbers saturate.
TEST(FieldText, NumbersReadLikeTheRuntimeLibrary) {
    for (const auto& [text, value] : {std::pair<std::string, int>{"  42abc", 42},
                                      {"-17", -17},
                                      {"+3.9", 3},
                                      {"abc", 0},
                                      {"- 5", 0},
                                      {"99999999999999999999", INT_MAX},
                                      {"-99999999999999999999", INT_MIN},
                                      {std::string(28, ' ') + "75", 7}})
        EXPECT_EQ(read_int(text), value) << text;
    const std::string digits(29, '1');
    for (const auto& [text, value] : {std::pair<std::string, double>{" -1.5e2x", -150.0},
                                      {".5", 0.5},
                                      {"5.", 5.0},
                                      {"2e", 2.0},
                                      {"nan", 0.0},
                                      {"inf", 0.0},
                                      {"0x10", 0.0},
                                      {".", 0.0},
                                      {"1e999", HUGE_VAL},
                                      {"-1e999", -HUGE_VAL},
                                      {"1e-999", 0.0},
                                      {std::string(29, ' ') + "5", 0.0},
                                      {digits + "999", read_double(digits)}})
        EXPECT_EQ(read_double(text), value) << text;
    EXPECT_EQ(show_fixed(-0.967, 15), "-0.967000000000000");
    EXPECT_EQ(show_fixed(1e300, 1).size(), 303u);
    EXPECT_EQ(show_int(-2147483647 - 1), "-2147483648");
}
