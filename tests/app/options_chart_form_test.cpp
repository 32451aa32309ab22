#include "app/forms/options_chart.h"

#include "core/catalogue.h"

#include <gtest/gtest.h>

using namespace morv;
using namespace morv::app;

TEST(OptionsChart, NamesLoseTheirMarkersAndKeepThemAsFlags) {
    const auto rows = options_chart();
    EXPECT_EQ(rows[4].name, "Ganymede ( Pickover ) - 3D");
    EXPECT_TRUE(rows[4].changeable);
    EXPECT_TRUE(rows[4].random);
    EXPECT_EQ(rows[3].name, "Lorenz - 3D");
    EXPECT_TRUE(rows[3].changeable);
    EXPECT_FALSE(rows[3].random);
    EXPECT_EQ(rows[9].name, "IFS  ( Ferns and More )");
    EXPECT_EQ(rows[0].name, "Henon");
    EXPECT_FALSE(rows[0].changeable);
}

TEST(OptionsChart, RandomMarksAgreeWithTheRandomSearch) {
    const auto rows = options_chart();
    int random = 0;
    for (const auto& r : rows) {
        EXPECT_EQ(r.random,
                  (catalogue[static_cast<std::size_t>(r.type)].poptions & kOptRandom) != 0)
            << r.name;
        random += r.random;
    }
    EXPECT_EQ(random, 9);
}
