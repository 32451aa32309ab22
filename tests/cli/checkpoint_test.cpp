// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_render.h"
#include "cli/checkpoint.h"
#include "cli/options.h"
#include "plain_part.h"
#include "support/render.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

namespace morv {
namespace {

const std::vector<std::string> kLongRender{
    "-q",     "--res", "200",       "--orbits", "100",          "--set",   "method=3",
    "--type", "6",     "--threads", "1",        "--iterations", "12000000"};

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string line(const std::vector<std::string>& args) {
    std::string s;
    for (const std::string& a : args)
        s += (s.empty() ? "" : " ") + a;
    return s;
}

// Stopped by a signal, the render keeps its finished orbits; resumed on
// another thread count, with or without a --seed of its own, it ends in the
// bytes of the render that was never stopped.
TEST(CliCheckpoint, ResumedRenderIsTheUninterruptedOne) {
    test::TempDir dir;
    const std::string ck = dir.file("run.ckpt");
    struct Case {
        std::vector<std::string> scene;
        int sig;
        const char* threads;
    };
    for (const Case& c : {Case{{"--seed", "7"}, SIGINT, "2"}, Case{{}, SIGTERM, "1"}}) {
        SCOPED_TRACE(line(c.scene));
        const auto args = joined(kLongRender, c.scene);
        const test::SignalledRun stopped =
            test::signalled_render(joined(args, {"--checkpoint", ck, "-o", dir.file("never.tga")}),
                                   c.sig, dir.file("err"), 100);
        ASSERT_EQ(stopped.status, 128 + c.sig) << stopped.error;
        EXPECT_NE(stopped.error.find("continue with morvane-render --resume " + ck),
                  std::string::npos)
            << stopped.error;
        ResumePoint point;
        ASSERT_EQ(read_checkpoint(ck, point), std::nullopt);
        const test::CliRun resumed = test::run_cli("--resume " + ck + " --threads " + c.threads +
                                                   " -o " + dir.file("resumed.tga"));
        ASSERT_EQ(resumed.status, 0) << resumed.output;
        // The clock a seedless render read is what the checkpoint kept.
        const test::CliRun whole =
            test::run_cli(line(args) + " --seed " + std::to_string(point.part.clock) + " -o " +
                          dir.file("whole.tga"));
        ASSERT_EQ(whole.status, 0) << whole.output;
        EXPECT_EQ(test::read_file(dir.file("resumed.tga")), test::read_file(dir.file("whole.tga")));
        EXPECT_FALSE(std::filesystem::exists(dir.file("never.tga")));
    }
}

// A --fast render stopped by a signal keeps its lanes' orbits where they were
// (Feather's with the term it carries into its next step); resumed at another
// lane width and thread count it ends in the bytes of the render that was
// never stopped.
TEST(CliCheckpoint, StoppedFastRenderGoesOnFromItsLanes) {
    test::TempDir dir;
    const std::string ck = dir.file("fast.ckpt");
    struct Case {
        const char *type, *iterations;
        int after_ms; // Feather draws several times faster
    };
    for (const Case& c : {Case{"6", "150000000", 300}, Case{"10", "600000000", 100}}) {
        SCOPED_TRACE(std::string("type ") + c.type);
        const std::vector<std::string> args{"-q",           "--res",      "200",      "--orbits",
                                            "20",           "--set",      "method=3", "--type",
                                            c.type,         "--threads",  "2",        "--fast",
                                            "--iterations", c.iterations, "--seed",   "9"};
        const test::SignalledRun stopped =
            test::signalled_render(joined(args, {"--checkpoint", ck, "-o", dir.file("never.png")}),
                                   SIGINT, dir.file("err"), c.after_ms);
        ASSERT_EQ(stopped.status, 130) << stopped.error;
        ResumePoint point;
        ASSERT_EQ(read_checkpoint(ck, point), std::nullopt);
        EXPECT_FALSE(point.run.under_way.empty()) << "stopped between slices of its lanes";
        const std::string program = std::string("'") + MORVANE_RENDER_PATH + "' ";
        const test::CliRun resumed =
            test::run_shell("MORVANE_LANES=4 " + program + "--resume " + ck + " --threads 1 -o " +
                            dir.file("resumed.png"));
        ASSERT_EQ(resumed.status, 0) << resumed.output;
        const test::CliRun whole = test::run_cli(line(args) + " -o " + dir.file("whole.png"));
        ASSERT_EQ(whole.status, 0) << whole.output;
        EXPECT_EQ(test::read_file(dir.file("resumed.png")), test::read_file(dir.file("whole.png")));
    }
}

// Orbits under way that no render could have left are refused.
TEST(CliCheckpoint, ImpossibleOrbitsUnderWayAreRefused) {
    HitsPart part;
    part.orbits = 10, part.first = 2, part.end = 6, part.iterations = 1000; // 100 calls each
    auto with = [](std::vector<OrbitUnderWay> u, std::vector<bool> drawn = {}) {
        drawn.resize(4, false);
        return CheckpointRun{{"--fast"}, drawn, std::move(u)};
    };
    const std::vector<std::pair<CheckpointRun, std::string>> cases{
        {with({{1, 5}}), "not its part's"},
        {with({{6, 5}}), "not its part's"},
        {with({{3, 0}}), "made no calls"},
        {with({{3, 100}}), "all of them"},
        {with({{3, 5}, {3, 7}}), "under way twice"},
        {with({{4, 5}}, {false, false, true}), "both drawn and under way"},
    };
    for (const auto& [run, says] : cases) {
        part.sections = {encode_checkpoint(run)};
        CheckpointRun got;
        const auto e = decode_checkpoint(part, got);
        ASSERT_TRUE(e.has_value()) << says;
        EXPECT_NE(e->find(says), std::string::npos) << *e;
    }
    const OrbitUnderWay kept{3, 99, 0.5, -1, 2, 77, 1.25};
    part.sections = {encode_checkpoint(with({kept}))};
    CheckpointRun got;
    ASSERT_EQ(decode_checkpoint(part, got), std::nullopt);
    EXPECT_EQ(got.under_way, std::vector<OrbitUnderWay>{kept});
    // The version before held no carried value: the orbit's last 8 bytes. Read
    // as it was written, and a newer one without them is damaged.
    std::vector<std::uint8_t>& bytes = part.sections[0].bytes;
    bytes.resize(bytes.size() - 8);
    ASSERT_TRUE(decode_checkpoint(part, got).has_value());
    bytes[0] = 2;
    ASSERT_EQ(decode_checkpoint(part, got), std::nullopt);
    OrbitUnderWay older = kept;
    older.carry = 0;
    EXPECT_EQ(got.under_way, std::vector<OrbitUnderWay>{older});
    bytes[0] = 4;
    const auto newer = decode_checkpoint(part, got);
    ASSERT_TRUE(newer.has_value());
    EXPECT_NE(newer->find("unsupported checkpoint version"), std::string::npos) << *newer;
}

// A damaged, foreign or outdated checkpoint is refused with its reason and
// nothing is drawn.
TEST(CliCheckpoint, UnsoundCheckpointsAreRefusedWithAReason) {
    test::TempDir dir;
    const std::string ck = dir.file("run.ckpt"), atr = dir.file("p.atr");
    ASSERT_EQ(
        test::run_cli("-q --type 6 --iterations 10 -o " + dir.file("a.tga") + " --atr-out " + atr)
            .status,
        0);
    const test::SignalledRun stopped = test::signalled_render(
        joined(kLongRender, {atr, "--seed", "3", "--checkpoint", ck, "-o", dir.file("x.tga")}),
        SIGINT, dir.file("err"));
    ASSERT_EQ(stopped.status, 130) << stopped.error;
    const std::vector<unsigned char> good = test::plain_part(ck);
    const test::CliRun part =
        test::run_cli("-q --res 200 --orbits 2 --set method=3 --type 6 --iterations 100000 "
                      "--save-hits " +
                      dir.file("part.hits"));
    ASSERT_EQ(part.status, 0) << part.output;
    auto flipped = [&](std::size_t at) {
        auto b = good;
        b[at] ^= 0x10;
        return b;
    };
    const std::size_t counts = 1492, section = counts + 8 * 200 * 200;
    const std::vector<std::pair<std::vector<unsigned char>, std::string>> damaged{
        {flipped(20), "header damaged"},
        {flipped(counts + 77), "counts damaged"},
        {flipped(section + 30), "section after the counts is damaged"},
        {flipped(section + 2), "section after the counts is damaged"},
        {std::vector<unsigned char>(good.begin(), good.end() - 3), "cut short"},
        {std::vector<unsigned char>(good.begin(), good.begin() + section), "without sections"},
        {test::read_file(dir.file("part.hits")), "not a checkpoint"},
        {test::read_file(dir.file("a.tga")), "not a hit-count part"},
    };
    for (const auto& [bytes, says] : damaged) {
        test::write_file(dir.file("d.ckpt"), bytes);
        const test::CliRun r =
            test::run_cli("--resume " + dir.file("d.ckpt") + " -o " + dir.file("y.tga"));
        EXPECT_EQ(r.status, 2) << says << ": " << r.output;
        EXPECT_NE(r.output.find(says), std::string::npos) << says << ": " << r.output;
    }
    // The parameter file it was drawn from changed since.
    ASSERT_EQ(test::run_cli("-q --type 6 --set p.a=1.5 --iterations 10 -o " + dir.file("a.tga") +
                            " --atr-out " + atr)
                  .status,
              0);
    const test::CliRun changed = test::run_cli("--resume " + ck + " -o " + dir.file("y.tga"));
    EXPECT_EQ(changed.status, 2) << changed.output;
    EXPECT_NE(changed.output.find("drawn from other parameters"), std::string::npos)
        << changed.output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("y.tga")));
    // Nor is a checkpoint merged as if it were a finished part.
    const test::CliRun merged = test::run_cli("--merge " + ck + " -o " + dir.file("y.tga"));
    EXPECT_NE(merged.output.find("continue it with --resume"), std::string::npos) << merged.output;
}

TEST(CliCheckpoint, OptionsThatCannotCheckpointOrResumeAreRefused) {
    const std::vector<std::pair<std::vector<const char*>, std::string>> refused{
        {{"--checkpoint", "c"}, "give --orbits K"},
        {{"--orbits", "4", "--checkpoint-every", "5"}, "needs --checkpoint"},
        {{"--merge", "a", "--checkpoint", "c"}, "nothing to --checkpoint"},
        {{"--orbits", "4", "--checkpoint", "c", "--checkpoint-every", "0"}, "1..86400"},
        {{"--resume", "c", "--type", "3"}, "not --type"},
        {{"--resume", "c", "x.atr"}, "reads no parameter file"},
    };
    for (const auto& [args, says] : refused) {
        std::vector<const char*> argv{"morvane-render"};
        argv.insert(argv.end(), args.begin(), args.end());
        CliOptions o;
        const auto e = parse_options(static_cast<int>(argv.size()), argv.data(), o);
        ASSERT_TRUE(e.has_value()) << says;
        EXPECT_NE(e->find(says), std::string::npos) << *e;
    }
}

} // namespace
} // namespace morv
