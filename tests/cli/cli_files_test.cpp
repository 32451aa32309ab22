// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-render with parameter files, images carrying their parameters,
// palettes, filters and the analysis options.
#include "analysis/random.h"
#include "core/catalogue.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/parameter_file.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

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
}

TEST(CliFiles, PaletteFilesAndFilters) {
    test::TempDir dir;
    test::CliRun r = test::run_cli("-q --iterations 20000 -o " + quoted(dir.file("default.tga")));
    ASSERT_EQ(r.status, 0) << r.output;
    // A bundled palette is found by its name alone.
    r = test::run_cli("-q --iterations 20000 --palette viridis -o " + quoted(dir.file("v.tga")));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(read_file(dir.file("v.tga")), read_file(dir.file("default.tga")));

    // Henon is coloured by speed, never by hit count: the filter is refused
    // before the render, and no unfiltered image is passed off as filtered.
    r = test::run_cli("-q --iterations 2000 --filter equalize -o " + quoted(dir.file("f.tga")));
    EXPECT_EQ(r.status, 2) << r.output;
    EXPECT_NE(r.output.find("not Hit Count"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("f.tga")));
}

// --analyze measures without rendering; --random prints the set it saves.
TEST(CliFiles, AnalysisOptions) {
    test::TempDir dir;
    test::CliRun r = test::run_cli("--analyze -o " + quoted(dir.file("none.tga")));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.rfind("LExp 0.6", 0), 0u) << r.output;
    EXPECT_NE(r.output.find("\nFD 1."), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.tga")));

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
    ASSERT_EQ(load_parameter_file(s, atr), kAtrLoadOk);
    char a[64];
    std::snprintf(a, sizeof a, "a %.15f\n", s.p[type].a);
    EXPECT_EQ(r.output.rfind(a, 0), 0u) << r.output;
}

} // namespace
} // namespace morv
