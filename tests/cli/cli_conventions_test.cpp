// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-render as a Unix command: standard streams for "-", short usage
// errors, the type list, summaries and palette names a user can act on.
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace morv {
namespace {

using test::quoted;
using test::read_file;

std::size_t lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// What a command says and how many lines: usage errors are one line and a
// pointer to --help, never the whole usage.
TEST(CliConventions, AnswersAreShortAndPlain) {
    const std::string try_help = "\nTry 'morvane-render --help' for more information.\n";
    struct Case {
        std::string args;
        int status;
        std::string says;
        std::size_t lines;
    };
    const Case cases[] = {
        {"--frobnicate", 2, "morvane-render: unknown option --frobnicate" + try_help, 2},
        {"--res 12", 2, "--res: 12 is outside 200..32768" + try_help, 2},
        {"--format gif -o -", 2, "--format: expected png or tga, got 'gif'" + try_help, 2},
        {"--format png -o x.tga", 2, "--format png disagrees with the name x.tga" + try_help, 2},
        {"--type 6 --random -o -", 2,
         "--random prints its parameters on standard output; use -o FILE" + try_help, 2},
        {"--list-types", 0, "0\tHenon\n1\tIkeda\n", 38},
        {"-q --iterations 10 --palette nosuch -o x.tga", 2,
         "--palette: no file or bundled palette named 'nosuch'; the bundled palettes are ", 1},
    };
    for (const Case& c : cases) {
        const test::CliRun r = test::run_cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << c.args << ": " << r.output;
        EXPECT_EQ(lines(r.output), c.lines) << c.args << ": " << r.output;
    }
    // The type list and the summaries name types without the menu's marks.
    test::TempDir dir;
    for (const std::string& args : {std::string("--list-types"),
                                    "--type 6 --iterations 100 -o " + quoted(dir.file("x.tga"))}) {
        const std::string out = test::run_cli(args).output;
        EXPECT_EQ(out.find_first_of("$+"), std::string::npos) << args << ": " << out;
        EXPECT_NE(out.find("Peter de Jong"), std::string::npos) << args << ": " << out;
    }
    EXPECT_NE(test::run_cli("--palette nosuch").output.find("viridis"), std::string::npos);
}

// "-o -" writes the image (alone) to standard output, "-" reads the record or
// a Morvane PNG from standard input; both give what the files give.
TEST(CliConventions, StandardStreamsCarryImagesAndRecords) {
    test::TempDir dir;
    const std::string render = quoted(MORVANE_RENDER_PATH) + " -q --iterations 20000 --type 6 ";
    const auto sh = [&](const std::string& command) {
        const test::CliRun r = test::run_shell(command);
        EXPECT_EQ(r.status, 0) << command << ": " << r.output;
        return r.output;
    };
    sh(render + "-o " + quoted(dir.file("a.png")) + " --atr-out " + quoted(dir.file("a.atr")));
    sh(render + "-o " + quoted(dir.file("a.tga")));
    sh(render + "-o - --format tga > " + quoted(dir.file("out.tga")));
    EXPECT_EQ(read_file(dir.file("out.tga")), read_file(dir.file("a.tga")));
    sh(render + "-o - > " + quoted(dir.file("out.png")));
    EXPECT_EQ(read_file(dir.file("out.png")), read_file(dir.file("a.png")));

    for (const char* input : {"a.atr", "a.png"}) {
        const std::string piped = dir.file(std::string("piped-") + input + ".tga");
        sh("cat " + quoted(dir.file(input)) + " | " + quoted(MORVANE_RENDER_PATH) +
           " -q --iterations 20000 -o " + quoted(piped) + " -");
        EXPECT_EQ(read_file(piped), read_file(dir.file("a.tga"))) << input;
    }
    // The summary moves to standard error, so that the image stays whole.
    const std::string said = sh("(" + quoted(MORVANE_RENDER_PATH) +
                                " --iterations 100 -o - 2>&1 >" + quoted(dir.file("s.png")) + ")");
    EXPECT_NE(said.find("wrote standard output"), std::string::npos) << said;
    const auto png = read_file(dir.file("s.png"));
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");

    const test::CliRun bad = test::run_shell("echo short | " + quoted(MORVANE_RENDER_PATH) +
                                             " -q -o " + quoted(dir.file("x.tga")) + " -");
    EXPECT_EQ(bad.status, 2) << bad.output;
    EXPECT_NE(bad.output.find("Error opening ATR file: standard input: "), std::string::npos)
        << bad.output;
}

// A merge draws nothing: its summary counts parts and iterations, no rate.
TEST(CliConventions, MergeSummaryCountsPartsNotSpeed) {
    test::TempDir dir;
    // The seed is given: parts drawn in different seconds would not merge.
    const std::string base =
        "-q --res 200 --type 6 --set method=3 --seed 3 --iterations 20000 --orbits 2 ";
    for (const char* range : {"0:1", "1:2"})
        ASSERT_EQ(test::run_cli(base + "--orbit-range " + range + " --save-hits " +
                                quoted(dir.file(std::string(range, 1) + ".hits")))
                      .status,
                  0);
    const test::CliRun r =
        test::run_cli("--merge " + quoted(dir.file("0.hits")) + " " + quoted(dir.file("1.hits")) +
                      " -o " + quoted(dir.file("m.tga")));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find(": 20000 iterations merged from 2 parts, hitmax "), std::string::npos)
        << r.output;
    EXPECT_EQ(r.output.find("per second"), std::string::npos) << r.output;
}

} // namespace
} // namespace morv
