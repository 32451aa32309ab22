#include "cli/options.h"
#include "cli/session.h"
#include "core/catalogue.h"
#include "core/state.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace morv {

// One summary line, the image at the asked size; an output that cannot be
// written is status 1 before anything is rendered.
TEST(Cli, RendersTheDefaultImageAndSummarisesOrReportsTheUnwritableOutput) {
    test::TempDir dir;
    test::CliRun r = test::run_cli("--res 200 --iterations 20000 -o " + dir.file("h.tga"));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Henon"), std::string::npos);
    EXPECT_NE(r.output.find("20000 iterations"), std::string::npos);
    EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1);
    EXPECT_EQ(test::read_file(dir.file("h.tga")).size(), 120044u);

    r = test::run_cli("-q --res 200 --iterations 10 -o " + dir.file("missing/x.tga"));
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("Error opening a save file."), std::string::npos);
    EXPECT_NE(r.output.find("No such file or directory; nothing was rendered"), std::string::npos);
}

// Each refusal has status 2 and comes before anything is written; a value no
// dialog could give is one line naming the field and the value.
TEST(Cli, BadArgumentsAreRefusedWithStatusTwo) {
    test::TempDir dir;
    std::vector<std::pair<std::string, std::string>> cases{
        {"--set rot.x=1e300", "rot.x is 1e+300; it must lie in 0..360"},
        {"--set mm.xmax=-inf", "mm.xmax is -inf; it must lie in -1.4..1.4"},
        {"--set mm.xmin=1 --set mm.xmax=1", "mm.xmax - mm.xmin is 0; it must be at least 0.05"},
        {"--type 29 --set p.sp1=-2.5", "p.sp1 is -2.5; it must lie in -2..2"},
        {"--set speed=18", "speed is 18; it must lie in 0..17"},
        {"--set linewidth=4", "linewidth is 4; it must lie in 1..3"},
        {"--set oddflag=2", "oddflag is 2; it must lie in 0..1"},
        {"--set pgmindex=8", "pgmindex is 8; it must lie in 0..7"}};
    for (const char* args :
         {"--type 38", "--type x", "--res 199", "--res 16385", "--res 1e3", "--iterations -5",
          "--set nosuch=1", "--set p.a=abc", "--set p.a", "--set method=2", "--set back=1,2",
          "--set back=256,0,0", "--set f.6.0=1", "--frobnicate"})
        cases.emplace_back(args, "");
    for (const auto& [args, message] : cases) {
        const test::CliRun r = test::run_cli(args + " -o " + dir.file("n.tga"));
        EXPECT_EQ(r.status, 2) << args << ": " << r.output;
        EXPECT_EQ(r.output.rfind("morvane-render: ", 0), 0u) << args << ": " << r.output;
        EXPECT_TRUE(message.empty() || r.output == "morvane-render: " + message + "\n") << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("n.tga")));
}

// Every type, every value a --set accepts, each hostile class of number:
// either refused before anything is drawn, or drawn within the given calls.
TEST(CliSweep, HostileValuesAreRefusedOrRenderedForEveryType) {
    const std::vector<std::string> names{
        "p.xstart", "p.ystart", "p.zstart",  "p.a",       "p.b",      "p.c",     "p.d",
        "p.sp0",    "p.sp1",    "mm.xmin",   "mm.xmax",   "mm.ymin",  "mm.ymax", "rot.x",
        "rot.y",    "rot.z",    "vlmaxsize", "vlradius",  "pgmscale", "pgmx0",   "pgmy0",
        "f.2.3",    "fp.1",     "speed",     "vlmaxiter", "smode"};
    const std::vector<std::string> hostile{"nan", "inf", "-inf", "1e308", "-1e308", "0"};
    int refused = 0, rendered = 0;
    auto attempt = [&](int type, const std::vector<std::string>& sets) {
        std::vector<std::string> args{"morvane-render",    "--res", "200", "--seed", "1", "--type",
                                      std::to_string(type)};
        for (const std::string& set : sets)
            args.insert(args.end(), {"--set", set});
        std::vector<const char*> argv;
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        CliOptions o;
        ASSERT_EQ(parse_options(static_cast<int>(argv.size()), argv.data(), o), std::nullopt);
        State s;
        s.steps = &fpointer;
        ASSERT_TRUE(set_resolution(s, o.res));
        if (prepare(s, o)) {
            ++refused;
            return;
        }
        test::render(s, 300);
        ++rendered;
    };
    for (int type = 0; type < NTYPES; ++type) {
        for (const std::string& name : names)
            for (const std::string& value : hostile)
                attempt(type, {name + "=" + value});
        const MINMAX& mm = catalogue[type].mmdef; // the window turned inside out
        attempt(type, {"mm.xmin=" + std::to_string(mm.xmax), "mm.xmax=" + std::to_string(mm.xmin)});
    }
    EXPECT_EQ(refused + rendered, NTYPES * (1 + static_cast<int>(names.size() * hostile.size())));
    EXPECT_GT(rendered, NTYPES); // the zeros inside a range are drawn
    std::printf("sweep: %d inputs refused, %d rendered\n", refused, rendered);
}

} // namespace morv
