// SPDX-License-Identifier: GPL-3.0-or-later
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

    const std::string missing = dir.file("missing/x");
    for (const std::string& unwritable :
         {"-o " + missing + ".tga", "-o " + dir.file("x.tga") + " --atr-out " + missing + ".atr"}) {
        r = test::run_cli("-q --res 200 --iterations 10 " + unwritable);
        EXPECT_EQ(r.status, 1) << r.output;
        EXPECT_NE(r.output.find("Error opening a save file."), std::string::npos) << r.output;
        EXPECT_NE(r.output.find("No such file or directory; nothing was rendered"),
                  std::string::npos)
            << r.output;
    }
    // The part's destination too, with the system's reason, before any work.
    std::filesystem::create_directory(dir.file("folder"));
    for (const auto& [part, says] : {std::pair{missing + ".hits", "No such file or directory"},
                                     std::pair{dir.file("folder"), "Is a directory"}}) {
        r = test::run_cli("-q --type 6 --set method=3 --iterations 100000000000 --save-hits " +
                          part);
        EXPECT_EQ(r.status, 1) << r.output;
        EXPECT_NE(r.output.find(std::string(says) + "; nothing was rendered"), std::string::npos)
            << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.tga")));
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
        const ViewWindow& mm = catalogue[type].mmdef; // the window turned inside out
        attempt(type, {"mm.xmin=" + std::to_string(mm.xmax), "mm.xmax=" + std::to_string(mm.xmin)});
    }
    EXPECT_EQ(refused + rendered, NTYPES * (1 + static_cast<int>(names.size() * hostile.size())));
    EXPECT_GT(rendered, NTYPES); // the zeros inside a range are drawn
    std::printf("sweep: %d inputs refused, %d rendered\n", refused, rendered);
}

// Every option with a value, each hostile value, alone and beside --merge and
// --save-hits: accepted, or refused with a line that names the option (or
// the combination). Options added later join the list.
TEST(CliSweep, HostileOptionValuesAreRefusedWithAReason) {
    const std::vector<std::string> options{
        "--type",    "--res",          "--iterations", "--set",
        "--palette", "--filter",       "--seed",       "-o",
        "--atr-out", "--orbits",       "--threads",    "--orbit-range",
        "--merge",   "--save-hits",    "--checkpoint", "--checkpoint-every",
        "--resume",  "--save-density", "--retone"};
    const std::vector<std::string> hostile{
        "",    "-o",  "--", "-1", "0",   "nan",      "1e999", "99999999999999999999",
        "1:0", "a=b", " ",  "\n", "-.5", "0:1048577"};
    const std::vector<std::vector<std::string>> contexts{{},
                                                         {"--merge", "x.hits"},
                                                         {"--save-hits", "x.hits"},
                                                         {"--orbits", "4", "--checkpoint", "c"}};
    int accepted = 0, refused = 0;
    for (const auto& context : contexts)
        for (const std::string& option : options)
            for (const std::string& value : hostile) {
                std::vector<const char*> argv{"morvane-render"};
                for (const std::string& c : context)
                    argv.push_back(c.c_str());
                argv.insert(argv.end(), {option.c_str(), value.c_str()});
                CliOptions o;
                const auto e = parse_options(static_cast<int>(argv.size()), argv.data(), o);
                if (!e) {
                    ++accepted;
                    continue;
                }
                ++refused;
                EXPECT_NE(e->find('-'), std::string::npos) << "names no option: " << *e;
            }
    EXPECT_GT(accepted, 0);
    std::printf("option sweep: %d command lines refused, %d accepted\n", refused, accepted);
}

} // namespace morv
