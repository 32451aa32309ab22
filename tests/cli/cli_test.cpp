#include "support/render.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/wait.h>
#include <vector>

namespace morv {

namespace {

int lines(const std::string& text) {
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

} // namespace

TEST(Cli, RendersTheDefaultImageAndSummarises) {
    test::TempDir dir;
    const test::CliRun r = test::run_cli("--res 200 --iterations 20000 -o " + dir.file("h.tga"));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Henon"), std::string::npos);
    EXPECT_NE(r.output.find("20000 iterations"), std::string::npos);
    EXPECT_EQ(lines(r.output), 1);
    const auto d = test::read_file(dir.file("h.tga"));
    ASSERT_EQ(d.size(), 120044u);
    EXPECT_EQ(d[12] | (d[13] << 8), 200);
    EXPECT_EQ(d[17], 0x20);
}

TEST(Cli, SameSeedGivesTheSameImage) {
    test::TempDir dir;
    const std::string common = "-q --res 200 --iterations 5000 --seed 7 --set method=1 ";
    ASSERT_EQ(test::run_cli(common + "-o " + dir.file("a.tga")).status, 0);
    ASSERT_EQ(test::run_cli(common + "-o " + dir.file("b.tga")).status, 0);
    EXPECT_EQ(test::read_file(dir.file("a.tga")), test::read_file(dir.file("b.tga")));
}

TEST(Cli, BadArgumentsAreOneLineAndStatusTwo) {
    test::TempDir dir;
    const std::string out = " -o " + dir.file("x.tga");
    for (const std::string args : {"--type 38",          "--type -1",         "--type x",
                                   "--res 199",          "--res 4001",        "--res 1e3",
                                   "--iterations -5",    "--set nosuch=1",    "--set p.a=abc",
                                   "--set p.a",          "--set method=2",    "--set smode=6",
                                   "--set pgmindex=8",   "--set linewidth=4", "--set back=1,2",
                                   "--set back=256,0,0", "--set f.6.0=1",     "--set fp.1=101",
                                   "--set rot.x=400",    "--frobnicate",      "--seed"}) {
        const test::CliRun r = test::run_cli(args + out);
        EXPECT_EQ(r.status, 2) << args << ": " << r.output;
        EXPECT_FALSE(r.output.empty()) << args;
    }
    EXPECT_EQ(lines(test::run_cli("--set nosuch=1" + out).output), 1);
}

TEST(Cli, NonFiniteValuesRenderWithoutHarm) {
    test::TempDir dir;
    for (const std::string args : {"--set p.xstart=nan", "--set p.ystart=inf", "--set mm.xmax=-inf",
                                   "--set mm.xmin=1 --set mm.xmax=1"}) {
        const test::CliRun r =
            test::run_cli("-q --res 200 --iterations 2000 " + args + " -o " + dir.file("n.tga"));
        EXPECT_EQ(r.status, 0) << args << ": " << r.output;
    }
}

TEST(Cli, UnwritableOutputIsStatusOne) {
    test::TempDir dir;
    const test::CliRun r =
        test::run_cli("-q --res 200 --iterations 10 -o " + dir.file("missing/x.tga"));
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("Error opening a save file."), std::string::npos);
    EXPECT_NE(r.output.find("No such file or directory; nothing was rendered"), std::string::npos);
}

} // namespace morv
