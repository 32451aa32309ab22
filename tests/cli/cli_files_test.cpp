// morvane-render with parameter files, images carrying their parameters,
// palettes, filters and the analysis options.
#include "analysis/random.h"
#include "core/catalogue.h"
#include "core/state.h"
#include "files/atr.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace morv {
namespace {

using test::quoted;
using test::read_file;

// A record written with --atr-out, loaded by the next run and written again
// inside a PNG, gives the same record and the same image each time.
TEST(CliFiles, ParametersTravelThroughRecordsAndImages) {
    test::TempDir dir;
    const auto run = [&](const std::string& args) {
        const test::CliRun r = test::run_cli("-q --iterations 20000 " + args);
        EXPECT_EQ(r.status, 0) << args << ": " << r.output;
    };
    const std::string first = dir.file("first.atr"), second = dir.file("second.atr");
    run("--set p.xstart=0.25 --set back=1,2,3 --set fp.1=77 -o " + quoted(dir.file("a.tga")) +
        " --atr-out " + quoted(first));
    EXPECT_EQ(read_file(first).size(), kAtrSize);
    run("-o " + quoted(dir.file("b.PNG")) + " --atr-out " + quoted(second) + " " + quoted(first));
    EXPECT_EQ(read_file(second), read_file(first));
    run("-o " + quoted(dir.file("c.tga")) + " " + quoted(dir.file("b.PNG")));
    EXPECT_EQ(read_file(dir.file("c.tga")), read_file(dir.file("a.tga")));

    std::ofstream(dir.file("short.atr")) << "too short";
    test::CliRun r =
        test::run_cli("-q -o " + quoted(dir.file("d.tga")) + " " + quoted(dir.file("short.atr")));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("Error opening ATR file"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("d.tga")));
    r = test::run_cli("-q --iterations 10 -o " + quoted(dir.file("e.tga")) + " --atr-out " +
                      quoted(dir.file("missing/p.atr")));
    EXPECT_EQ(r.status, 1) << r.output;
}

TEST(CliFiles, PaletteFilesAndFilters) {
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

    // Henon is coloured by speed, never by hit count: the filter is refused, the image saved.
    r = test::run_cli("-q --iterations 2000 --filter equalize -o " + quoted(dir.file("f.tga")));
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

TEST(CliFiles, RandomSearchPrintsTheSetItSaves) {
    test::TempDir dir;
    test::CliRun r = test::run_cli("-q --random --type 0 -o " + quoted(dir.file("r.tga")));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("offers no random parameter search"), std::string::npos) << r.output;

    int type = 0;
    while (type < NTYPES && !random_search_offered(test::make_state(type)))
        ++type;
    ASSERT_LT(type, NTYPES);
    const std::string atr = dir.file("r.atr");
    r = test::run_cli("-q --random --seed 5 --iterations 1000 --type " + std::to_string(type) +
                      " -o " + quoted(dir.file("r.tga")) + " --atr-out " + quoted(atr));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("\nLExp "), std::string::npos) << r.output;
    State s;
    s.oatrfile = atr;
    ASSERT_EQ(loadatr(s), kAtrLoadOk);
    char a[64];
    std::snprintf(a, sizeof a, "a %.15f\n", s.p[type].a);
    EXPECT_EQ(r.output.rfind(a, 0), 0u) << r.output;
}

} // namespace
} // namespace morv
