// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-render refusing what it cannot do well, interrupted runs, and
// running out of memory.
#include "child_render.h"
#include "core/types.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_TEST_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_TEST_UNDER_ASAN 1
#endif

namespace morv {

namespace {

namespace fs = std::filesystem;
using test::quoted;

std::vector<std::string> entries(const test::TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Starts an endless render, signals it once it can catch the signal and
// returns its exit status (-1 when it did not exit normally).
int interrupted_render(const std::string& output, int sig, bool save_partial) {
    return test::signalled_render({"-q", "--res", "200", "--iterations", "1000000000000",
                                   save_partial ? "--save-partial" : "-q", "-o", output},
                                  sig, output + ".err")
        .status;
}

} // namespace

// Every refusal has status 2 and a "morvane-render: " line naming the reason
// (a value no dialog could give: the field and the value), and comes before
// anything is rendered or written: no file appears, none changes.
TEST(CliSafety, RefusalsAreStatusTwoAndTouchNoFile) {
    test::TempDir dir;
    const std::string in = dir.file("in.atr"), out = " -o " + quoted(dir.file("out.tga"));
    ASSERT_EQ(test::run_cli("-q --iterations 10 -o " + quoted(dir.file("x.tga")) + " --atr-out " +
                            quoted(in))
                  .status,
              0);
    const auto record = test::read_file(in);
    fs::remove(dir.file("x.tga"));
    fs::create_symlink("in.atr", dir.file("alias.atr"));
    ::mkfifo(dir.file("fifo").c_str(), 0644);
    fs::create_directory(dir.file("folder"));
    std::ofstream(dir.file("short.atr")) << "too short";
    std::ofstream(dir.file("bad.map")) << "1 2 3\nnot a colour\n";
    std::ofstream(dir.file("blank.map")) << "\n  \n";
    const auto before = entries(dir);
    std::vector<std::pair<std::string, std::string>> cases{
        {"-o " + quoted(dir.file("same")) + " --atr-out " + quoted(dir.file("./same")),
         "-o and --atr-out name the same file"},
        {"-o " + quoted(in) + " " + quoted(in), "would overwrite the parameter file"},
        {"--atr-out " + quoted(dir.file("alias.atr")) + out + " " + quoted(in),
         "--atr-out " + dir.file("alias.atr") + " would overwrite the parameter file"},
        {"--palette " + quoted(in) + " --atr-out " + quoted(in) + out,
         "would overwrite the palette file"},
        {quoted(dir.file("fifo")) + out, "this is a pipe, not a file"},
        {"--palette " + quoted(dir.file("folder")) + out, "this is a directory, not a file"},
        {"--palette -o " + quoted(dir.file("out.tga")), "--palette needs a value"},
        {quoted(dir.file("short.atr")) + out, "Error opening ATR file"},
        {"--palette " + quoted(dir.file("bad.map")) + out, "Error opening MAP file"},
        // It used to measure a self-drawing type forever.
        {"--analyze --type 28" + out, "--analyze: Randomized KAM Torus (type 28) draws by itself "
                                      "and gives no orbit to measure\n"},
        {"--random --type 0" + out, "offers no random parameter search"},
        {"--precise --type 0" + out, "--precise needs --analyze"},
        {"--analyze --precise --type 8" + out, "cannot be measured: its next point depends"},
        {"--spread 5 --type 6" + out, "need --random"},
        {"--random --type 6 --spread 0" + out, "--spread: expected a percentage"},
        {"--random --type 6 --ky-range 2:1" + out, "--ky-range: expected LOW:HIGH"},
        {"--random --type 6 --freeze a,e" + out, "--freeze: unknown coefficient 'e'"},
        {"--random --type 33 --lyapunov-range 0:1" + out, "cannot be steered by its measures"},
        {"--type 8 --orbits 2" + out, "draws by itself"},
        {"--type 12 --set method=2 --orbits 2" + out, "method"},
        {"--orbits 2 --orbit-range 1:3 --save-hits h" + out, "beyond"},
        {"--orbits 4 --orbit-range 1:3" + out, "--save-hits"},
        {"--type 8 --fast" + out, "--fast: Sierpinski"},
        {"--type 6 --set method=3 --fast --save-hits h", "--fast draws whole images"},
        {"--set rot.x=1e300" + out, "rot.x is 1e+300; it must lie in 0..360\n"},
        {"--set mm.xmax=-inf" + out, "mm.xmax is -inf; it must lie in -1.4..1.4\n"},
        {"--set mm.xmin=1 --set mm.xmax=1" + out,
         "mm.xmax - mm.xmin is 0; it must be at least 0.05\n"},
        {"--type 29 --set p.sp1=-2.5" + out, "p.sp1 is -2.5; it must lie in -2..2\n"},
        {"--set speed=18" + out, "speed is 18; it must lie in 0..17\n"},
        {"--set linewidth=4" + out, "linewidth is 4; it must lie in 1..3\n"},
        {"--set oddflag=2" + out, "oddflag is 2; it must lie in 0..1\n"},
        {"--set pgmindex=8" + out, "pgmindex is 8; it must lie in 0..7\n"},
        {"--palette ''" + out, "--palette: empty file name"},
        {"--atr-out ''" + out, "--atr-out: empty file name"},
        {"''" + out, "empty parameter file name"},
        {"--palette " + quoted(dir.file("blank.map")) + out, "Error opening MAP file"},
        {"--save-hits -o " + quoted(dir.file("p.hits")), "--save-hits needs a value"},
        {quoted(in) + " --save-hits " + quoted(in), "would overwrite the parameter file"},
        {"--palette " + quoted(dir.file("bad.map")) + " --save-hits " + quoted(dir.file("bad.map")),
         "would overwrite the palette file"},
        {"--save-hits " + quoted(dir.file("p.hits")) + " --filter log", "belongs to the --merge"},
        {"--save-hits " + quoted(dir.file("p.hits")) + " --save-partial", "belongs to the --merge"},
        {"--type 6 --orbits 100000 --iterations 2000 --res 2000" + out, "can use at most 1 orbits"},
        {"--type 6 --orbits 2000000" + out, "1..1048576"},
        {"--iterations 100000 --filter equalize" + out, "not Hit Count"},
        {"--type 6 --set method=3 --filter log" + out, "1000 iterations"},
        {"--set p.a=1.4" + out, "p.a is 1.4; Henon has no p.a, it stays 0\n"}};
    for (const char* args :
         {"--type x", "--res 199", "--res 16385", "--res 1e3", "--iterations -5", "--set nosuch=1",
          "--set p.a=abc", "--set p.a", "--set method=2", "--set back=1,2", "--set back=256,0,0",
          "--set f.6.0=1", "--frobnicate"})
        cases.emplace_back(args + out, "");
    cases.emplace_back("--type " + std::to_string(NTYPES) + out, ""); // one past the last
    for (const auto& [args, says] : cases) {
        const test::CliRun r = test::run_cli("-q --iterations 10 " + args);
        EXPECT_EQ(r.status, 2) << args << ": " << r.output;
        EXPECT_EQ(r.output.rfind("morvane-render: ", 0), 0u) << args << ": " << r.output;
        EXPECT_NE(r.output.find(says), std::string::npos) << args << ": " << r.output;
        EXPECT_EQ(test::read_file(in), record) << args;
        EXPECT_EQ(entries(dir), before) << args;
    }
}

TEST(CliSafety, InterruptedRenderWritesNothingOrWithSavePartialTheImageSoFar) {
    test::TempDir dir;
    const std::string out = dir.file("out.tga");
    EXPECT_EQ(interrupted_render(out, SIGTERM, false), 128 + SIGTERM);
    EXPECT_TRUE(entries(dir).empty());
    EXPECT_EQ(interrupted_render(out, SIGINT, true), 128 + SIGINT);
    EXPECT_EQ(entries(dir), std::vector<std::string>{"out.tga"});
    const auto image = test::read_file(out);
    ASSERT_EQ(image.size(), 18u + 3u * 200u * 200u + 26u);
    // Something was drawn on the black background.
    EXPECT_NE(std::count(image.begin() + 18, image.end() - 26, 0), 3 * 200 * 200);
}

// Every signal that would end the program stops the render the same way:
// nothing written, no temporary file left, 128 + the signal.
TEST(CliSafety, EverySignalThatEndsAProgramStopsTheRenderCleanly) {
    test::TempDir dir;
    for (const int sig : {SIGHUP, SIGQUIT, SIGUSR1, SIGALRM, SIGXCPU}) {
        EXPECT_EQ(interrupted_render(dir.file("out.tga"), sig, false), 128 + sig) << sig;
        EXPECT_TRUE(entries(dir).empty()) << sig;
    }
}

// A reader that goes away and the file size limit fail the write with the
// reason; the program is not killed half-way, and leaves nothing behind.
TEST(CliSafety, ClosedPipesAndTheFileSizeLimitAreSaveErrors) {
    test::TempDir dir;
    const std::string render = "'" + std::string(MORVANE_RENDER_PATH) + "' -q --res 400 ";
    const std::pair<std::string, std::string> cases[] = {
        {render + "-o /dev/stdout | head -c 10 >/dev/null", "Broken pipe"},
        {"ulimit -f 100; " + render + "-o " + quoted(dir.file("big.tga")), "File too large"},
        {"(sleep 0.3; " + render + "--analyze) | true", "could not write to standard output"},
    };
    for (const auto& [command, says] : cases) {
        const test::CliRun r =
            test::run_shell("bash -c " + quoted(command + "; exit ${PIPESTATUS[0]}"));
        EXPECT_EQ(r.status, 1) << command << ": " << r.output;
        EXPECT_NE(r.output.find(says), std::string::npos) << command << ": " << r.output;
        EXPECT_TRUE(entries(dir).empty()) << command;
    }
}

// On a small file system of its own (where the system lets an unprivileged
// user mount one): a full disk fails the save of an image over a file with two
// names before the file is touched, both while writing the new content aside
// and while reserving its room; with room, both names get the image.
TEST(CliSafety, AFullDiskNeverTearsAHardLinkedImage) {
    test::TempDir dir;
    // In single quotes for the shell: no single quote inside.
    const std::string script =
        "mount -t tmpfs -o size=256k tmpfs \"$0\" || exit 77; cd \"$0\"; "
        "printf \"old content\" > a; ln a b; head -c \"$1\" /dev/zero > filler; \"" +
        std::string(MORVANE_RENDER_PATH) +
        "\" -q --res 200 --iterations 10 -o b; echo \"status $?\"; "
        "wc -c < a; ls -A | tr \"\\n\" \" \"; [ a -ef b ] && echo linked";
    struct Case {
        const char* filler;
        const char* expected;
    };
    for (const Case& c :
         {Case{"200000", "status 1\n11\na b filler linked\n"}, // no room for the copy aside
          Case{"100000", "status 1\n11\na b filler linked\n"}, // no room to grow the file
          Case{"0", "status 0\n120044\na b filler linked\n"}}) {
        const test::CliRun r = test::run_shell("unshare -rm sh -c " + quoted(script) + " " +
                                               quoted(dir.path()) + " " + c.filler);
        if (r.status == 77 || r.output.find("status") == std::string::npos)
            GTEST_SKIP() << "no file system of its own here: " << r.output;
        const auto status = r.output.find("status");
        EXPECT_EQ(r.output.substr(status), c.expected) << r.output;
        if (c.expected[7] == '1') {
            EXPECT_NE(r.output.find("No space left on device"), std::string::npos) << r.output;
        }
    }
}

// Out of memory, whether found by the budget, by the driver or in a worker
// thread, is status 4 with a message, never an abort.
TEST(CliSafety, OutOfMemoryIsItsOwnStatusNotAnAbort) {
#ifdef MORVANE_TEST_UNDER_ASAN
    GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
#else
    test::TempDir dir;
    const std::string render = "'" + std::string(MORVANE_RENDER_PATH) +
                               "' -q --type 6 --set method=3 -o " + quoted(dir.file("m.tga"));
    const std::pair<std::string, std::string> cases[] = {
        // About 100 MB of address space: the program, not a 4000 x 4000 canvas
        // and its hit counts (64 MB each).
        {"ulimit -v 100000; " + render + " --res 4000 --iterations 10", "render needs"},
        {"ulimit -v 1200000; " + render + " --res 8000 --orbits 8 --threads 2", "render needs"},
        // The budget lifted: the orbits' own hit counts run out in the threads.
        {"ulimit -v 300000; MORVANE_MEMORY_LIMIT=100000000000 " + render +
             " --res 4000 --orbits 4 --threads 2 --iterations 100000000",
         "Not enough memory"},
    };
    for (const auto& [command, says] : cases) {
        const test::CliRun r = test::run_shell(command);
        EXPECT_EQ(r.status, 4) << command << ": " << r.output;
        EXPECT_NE(r.output.find(says), std::string::npos) << command << ": " << r.output;
        EXPECT_TRUE(entries(dir).empty());
    }
#endif
}

} // namespace morv
