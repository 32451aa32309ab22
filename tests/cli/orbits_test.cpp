// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_render.h"
#include "formulas/orbits.h"
#include "plain_part.h"
#include "support/render.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

namespace morv {
namespace {

std::vector<unsigned char> render(const test::TempDir& dir, const std::string& name,
                                  const std::string& args) {
    // A merge takes the parts' resolution.
    const bool merge = args.rfind("--merge", 0) == 0;
    const test::CliRun r = test::run_cli(std::string(merge ? "-q " : "-q --res 200 ") + args +
                                         " -o " + dir.file(name));
    EXPECT_EQ(r.status, 0) << args << "\n" << r.output;
    return test::read_file(dir.file(name));
}

TEST(CliOrbits, ImageDependsOnOrbitsAndSeedOnlyNeverOnThreads) {
    test::TempDir dir;
    for (const std::string scene :
         {"--type 0 --set method=1", "--type 33 --set method=3", "--type 7 --set method=3"}) {
        SCOPED_TRACE(scene);
        const std::string base = scene + " --seed 9 --iterations 300001 ";
        const auto one = render(dir, "1.tga", base + "--threads 1 --orbits 7");
        EXPECT_EQ(render(dir, "3.tga", base + "--threads 3 --orbits 7"), one);
        EXPECT_NE(render(dir, "k.tga", base + "--threads 3 --orbits 6"), one);
        // One orbit is the classic picture, whatever the threads.
        EXPECT_EQ(render(dir, "p.tga", base),
                  render(dir, "o.tga", base + "--orbits 1 --threads 2"));
    }
}

// The raw hit counts of K orbits of `type` at 100 x 100, the clock at 5.
OrbitTotals orbit_counts(State& base, long long orbits, long long iterations, int threads) {
    OrbitTotals t;
    t.counts.assign(100 * 100, 0);
    const OrbitJob job{
        .orbits = orbits, .end = orbits, .threads = threads, .iterations = iterations, .clock = 5};
    render_orbits(base, job, t, nullptr);
    return t;
}

// The random-branch maps draw random numbers without seeding from the clock:
// each orbit needs its own stream, or every orbit draws the same points. One
// orbit stays the driver's picture, Storm Julia's start set included.
TEST(Orbits, RandomBranchOrbitsDrawApartAndOneOrbitIsTheDriversPicture) {
    for (const int type : {kTypeIkedaIfs, kTypeStormJulia, kTypeFrostJulia}) {
        SCOPED_TRACE(catalogue[type].name);
        auto fresh = [type] {
            State s = test::make_state(type, 100, 5);
            s.method[type] = kMethodHitCount;
            return s;
        };
        State plain = fresh(), one_base = fresh(), base = fresh(), threaded = fresh();
        constexpr long long n = 20000;
        test::render(plain, n);
        const OrbitTotals one = orbit_counts(one_base, 1, n, 1);
        const OrbitTotals three = orbit_counts(base, 3, 3 * n, 1);
        EXPECT_EQ(orbit_counts(threaded, 3, 3 * n, 2).counts, three.counts);
        EXPECT_EQ(test::record_bytes(base), test::record_bytes(plain));

        int drawn = 0, apart = 0;
        for (std::size_t i = 0; i < one.counts.size(); ++i) {
            EXPECT_EQ(one.counts[i], static_cast<std::uint64_t>(plain.hitcount[i])) << i;
            drawn += three.counts[i] > 0;
            apart += three.counts[i] != 3 * one.counts[i];
        }
        EXPECT_GT(apart, drawn / 4) << "the orbits draw the same points";
    }
}

TEST(CliOrbits, PartsMergeIntoTheOneProcessImageAndMismatchesAreRefused) {
    test::TempDir dir;
    const std::string base = "-q --res 200 --type 6 --set method=3 --seed 4 --iterations 200000 ";
    auto part = [&](const std::string& extra, const std::string& range, const std::string& file) {
        const test::CliRun r = test::run_cli(base + extra + " --orbits 5 --orbit-range " + range +
                                             " --save-hits " + dir.file(file));
        ASSERT_EQ(r.status, 0) << r.output;
    };
    part("", "0:2", "a.hits");
    part("--threads 2", "2:5", "b.hits");
    part("", "1:3", "overlap.hits");
    part("--set p.a=1.5", "2:5", "other.hits");
    const auto whole = render(dir, "whole.tga", base.substr(3) + "--orbits 5");
    const auto merged =
        render(dir, "merged.tga", "--merge " + dir.file("b.hits") + " " + dir.file("a.hits"));
    EXPECT_EQ(merged, whole);

    ::mkfifo(dir.file("fifo.hits").c_str(), 0644);
    const std::pair<std::vector<const char*>, const char*> refused[] = {
        {{"a.hits", "other.hits"}, "different renders"},
        {{"a.hits", "overlap.hits", "b.hits"}, "overlap"},
        {{"a.hits"}, "missing"},
        {{"nothere.hits"}, "No such file"},
        {{"fifo.hits"}, "this is a pipe"}, // a pipe nobody writes to must not hang the merge
    };
    for (const auto& [parts, says] : refused) {
        std::string files;
        for (const char* name : parts)
            files += dir.file(name) + " ";
        const test::CliRun r = test::run_cli("--merge " + files + "-o " + dir.file("x.tga"));
        EXPECT_EQ(r.status, 2) << files;
        EXPECT_NE(r.output.find(says), std::string::npos) << files << ": " << r.output;
    }

    // Merge options: the palette is the merge's to choose; what would change
    // the picture the parts hold is refused.
    const std::string both = "--merge " + dir.file("a.hits") + " " + dir.file("b.hits");
    EXPECT_EQ(render(dir, "p2.tga", both + " --palette 2"),
              render(dir, "w2.tga", base.substr(3) + "--orbits 5 --palette 2"));
    for (const auto& [extra, says] : std::vector<std::pair<std::string, std::string>>{
             {"--res 300", "--res cannot change it"},
             {"--set p.a=1", "--set cannot change it"},
             {"--iterations 5", "--iterations cannot change it"},
             {"--palette " + dir.file("nosuch.map"), "Error opening MAP file"},
             {"-o " + dir.file("a.hits"), "would overwrite the part"}}) {
        const test::CliRun r = test::run_cli(both + " -o " + dir.file("x.tga") + " " + extra);
        EXPECT_EQ(r.status, 2) << extra << ": " << r.output;
        EXPECT_NE(r.output.find(says), std::string::npos) << extra << ": " << r.output;
    }
}

// The checksums of a part made good again after an edit, as a writer that
// meant it would leave them.
void reseal(std::vector<unsigned char>& part) {
    constexpr std::size_t kHeader = 1492;
    auto put = [&](std::size_t at, uLong v) {
        for (int i = 0; i < 4; ++i)
            part[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put(1484, crc32_z(0, part.data() + kHeader, part.size() - kHeader));
    put(1488, crc32_z(0, part.data(), 1488));
}

// A part is complete and sound or refused: cut short, damaged anywhere,
// counts from another part, an older version, or sound checksums over
// impossible values.
TEST(CliOrbits, DamagedPartsAreRefused) {
    test::TempDir dir;
    const std::string base = "-q --res 200 --type 6 --set method=3 --seed 4 --iterations 200000 ";
    for (const auto& [range, file] : {std::pair{"0:2", "a.hits"}, std::pair{"2:5", "b.hits"}}) {
        const test::CliRun r = test::run_cli(base + "--orbits 5 --orbit-range " + range +
                                             " --save-hits " + dir.file(file));
        ASSERT_EQ(r.status, 0) << r.output;
    }
    const auto a = test::plain_part(dir.file("a.hits")), b = test::plain_part(dir.file("b.hits"));
    ASSERT_EQ(a.size(), 1492u + 8u * 200u * 200u);
    auto edited = [&](const std::function<void(std::vector<unsigned char>&)>& edit) {
        auto bytes = a;
        edit(bytes);
        return bytes;
    };
    const std::vector<std::pair<std::vector<unsigned char>, std::string>> damaged{
        {{a.begin(), a.end() - 8}, "size does not match"},
        {edited([](auto& p) { p[20] ^= 1; }), "header damaged"},
        {edited([](auto& p) { p[1492 + 8 * 20100] ^= 4; }), "counts damaged"},
        {edited([](auto& p) { std::fill(p.begin() + 1492 + 80000, p.begin() + 1492 + 160000, 0); }),
         "counts damaged"},
        {edited([&](auto& p) { std::copy(b.begin() + 1492, b.end(), p.begin() + 1492); }),
         "counts damaged"},
        {edited([](auto& p) { p[8] = 1; }), "older morvane-render"},
        {edited([](auto& p) {
             p.back() = 0xFF;
             reseal(p);
         }),
         "exceeds"},
        {edited([](auto& p) {
             p[48] = 3; // claims orbits 0..2, overlapping the other part
             reseal(p);
         }),
         "overlap"},
    };
    for (const auto& [bytes, says] : damaged) {
        test::write_file(dir.file("d.hits"), bytes);
        const test::CliRun r = test::run_cli("--merge " + dir.file("d.hits") + " " +
                                             dir.file("b.hits") + " -o " + dir.file("x.tga"));
        EXPECT_EQ(r.status, 2) << says << ": " << r.output;
        EXPECT_NE(r.output.find(says), std::string::npos) << says << ": " << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.tga")));
}

// A part is written only when its orbits are all drawn: interrupted, it
// writes nothing and says how far it got; many orbits stop as soon.
TEST(CliOrbits, AnInterruptedPartWritesNothing) {
    test::TempDir dir;
    const std::vector<std::string> part{
        "--type",    "6",     "--set",   "method=3",     "--seed",
        "1",         "--res", "200",     "--iterations", "400000000000",
        "--threads", "1",     "--orbits"};
    auto with = [&](std::vector<std::string> extra) {
        auto args = part;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    for (const auto& args : {with({"4", "--orbit-range", "0:2", "--save-hits", dir.file("a.hits")}),
                             with({"100000", "--threads", "2", "-q", "-o", dir.file("x.tga")})}) {
        const test::SignalledRun r = test::signalled_render(args, SIGINT, dir.file("err"));
        EXPECT_EQ(r.status, 130) << r.error;
        long long made = -1;
        ASSERT_EQ(std::sscanf(r.error.c_str(), "morvane-render: interrupted after %lld", &made), 1)
            << r.error;
        EXPECT_LT(made, 10000000000LL) << "the planned count, not the calls made";
        EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    }
}

// A poster is checked against the memory budget before anything is drawn.
TEST(CliOrbits, RenderSizeIsCheckedAgainstTheMemoryBudget) {
    test::TempDir dir;
    const std::string out = " -o " + dir.file("x.tga");
    ::setenv("MORVANE_MEMORY_LIMIT", "100000000", 1);
    const test::CliRun poster = test::run_cli("--res 16384" + out);
    // Past 16384 with several orbits: the image, the totals and a set per thread.
    const test::CliRun largest = test::run_cli(
        "--res 32768 --type 6 --set method=3 --iterations 1000000000000 --orbits 64 --threads 2" +
        out);
    const test::CliRun small = test::run_cli("-q --res 1000 --iterations 10" + out);
    ::unsetenv("MORVANE_MEMORY_LIMIT");
    EXPECT_EQ(poster.status, 4);
    EXPECT_NE(poster.output.find("16384 x 16384 render needs"), std::string::npos) << poster.output;
    EXPECT_EQ(largest.status, 4);
    EXPECT_NE(largest.output.find("32768 x 32768 render needs 32768 MiB"), std::string::npos)
        << largest.output;
    EXPECT_EQ(small.status, 0) << small.output;
    // One orbit stops at 16384; so do sides past 32768.
    for (const auto& [res, says] : {std::pair{"16385", "above 16384 only with --orbits"},
                                    std::pair{"32769", "outside 200..32768"}}) {
        const test::CliRun r = test::run_cli(std::string("--res ") + res + out);
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_NE(r.output.find(says), std::string::npos) << r.output;
    }
}

} // namespace
} // namespace morv
