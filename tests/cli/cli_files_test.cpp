// morvane-render with parameter files, palettes, filters and the analysis options.
#include "analysis/random.h"
#include "core/catalogue.h"
#include "core/state.h"
#include "files/atr.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace morv {
using test::read_file;

namespace {

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

TEST(CliFiles, ParameterFileRoundTrip) {
    test::TempDir dir;
    const std::string first = dir.file("first.atr"), second = dir.file("second.atr");
    test::CliRun r =
        test::run_cli("-q --iterations 100 --set p.xstart=0.25 --set back=1,2,3 --set fp.1=77 "
                      "-o " +
                      quoted(dir.file("a.tga")) + " --atr-out " + quoted(first));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(read_file(first).size(), kAtrSize);

    r = test::run_cli("-q --iterations 100 -o " + quoted(dir.file("b.tga")) + " --atr-out " +
                      quoted(second) + " " + quoted(first));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(read_file(second), read_file(first));
    EXPECT_EQ(read_file(dir.file("b.tga")), read_file(dir.file("a.tga")));

    std::ofstream(dir.file("short.atr")) << "too short";
    r = test::run_cli("-q -o " + quoted(dir.file("c.tga")) + " " + quoted(dir.file("short.atr")));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("Error opening ATR file"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.tga")));

    r = test::run_cli("-q --iterations 10 -o " + quoted(dir.file("d.tga")) + " --atr-out " +
                      quoted(dir.file("missing/p.atr")));
    EXPECT_EQ(r.status, 1) << r.output;
}

TEST(CliFiles, PaletteFiles) {
    test::TempDir dir;
    const std::string maps = std::string(MORVANE_TEST_DATA) + "/maps/";
    test::CliRun r = test::run_cli("-q --iterations 20000 -o " + quoted(dir.file("default.tga")));
    ASSERT_EQ(r.status, 0) << r.output;
    r = test::run_cli("-q --iterations 20000 --palette " + quoted(maps + "sunrise.map") + " -o " +
                      quoted(dir.file("sunrise.tga")));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(read_file(dir.file("sunrise.tga")), read_file(dir.file("default.tga")));

    std::ofstream(dir.file("bad.map")) << "1 2 3\nnot a colour\n";
    r = test::run_cli("-q --palette " + quoted(dir.file("bad.map")) + " -o " +
                      quoted(dir.file("x.tga")));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("Error opening MAP file"), std::string::npos) << r.output;
}

TEST(CliFiles, FilterRefusalIsReported) {
    test::TempDir dir;
    // Henon is coloured by speed, never by hit count.
    test::CliRun r =
        test::run_cli("-q --iterations 2000 --filter equalize -o " + quoted(dir.file("f.tga")));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("not Hit Count"), std::string::npos) << r.output;
    EXPECT_TRUE(std::filesystem::exists(dir.file("f.tga")));
}

TEST(CliFiles, AnalyzePrintsExponentAndDimensionWithoutRendering) {
    test::TempDir dir;
    test::CliRun r = test::run_cli("--analyze -o " + quoted(dir.file("none.tga")));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.rfind("LExp 0.6", 0), 0u) << r.output;
    EXPECT_NE(r.output.find("\nFD 1."), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.tga")));

    // A self-drawing type is refused before any work (it used to run forever).
    r = test::run_cli("--analyze --type 28 -o " + quoted(dir.file("none.tga")));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.output, "morvane-render: --analyze: Randomized KAM Torus (type 28) draws by itself "
                        "and gives no orbit to measure\n");
}

TEST(CliFiles, RandomSearch) {
    test::TempDir dir;
    test::CliRun r = test::run_cli("-q --random --type 0 -o " + quoted(dir.file("r.tga")));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("offers no random parameter search"), std::string::npos) << r.output;

    int type = -1;
    for (int t = 0; t < NTYPES && type < 0; ++t) {
        State s;
        s.type = t;
        if (random_search_offered(s)) type = t;
    }
    if (type < 0) GTEST_SKIP() << "no type with a random search in this build";
    const std::string atr = dir.file("r.atr");
    r = test::run_cli("-q --random --seed 5 --iterations 1000 --type " + std::to_string(type) +
                      " -o " + quoted(dir.file("r.tga")) + " --atr-out " + quoted(atr));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("\nLExp "), std::string::npos) << r.output;
    State s;
    ASSERT_EQ(loadatr(s, atr), kAtrLoadOk);
    char a[64];
    std::snprintf(a, sizeof a, "a %.15f\n", s.p[type].a);
    EXPECT_EQ(r.output.rfind(a, 0), 0u) << r.output;
}

} // namespace
} // namespace morv
