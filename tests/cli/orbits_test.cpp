#include "cli/orbits.h"
#include "support/render.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace morv {
namespace {

std::vector<unsigned char> render(const test::TempDir& dir, const std::string& name,
                                  const std::string& args) {
    const test::CliRun r = test::run_cli("-q --res 200 " + args + " -o " + dir.file(name));
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

    // A part cut short, one with a count no render of these iterations
    // makes, and one with another type are not sound parts.
    const auto bytes = test::read_file(dir.file("a.hits"));
    test::write_file(dir.file("short.hits"), {bytes.begin(), bytes.end() - 8});
    auto big = bytes, head = bytes;
    big.back() = 0xFF;
    head[20] ^= 1;
    test::write_file(dir.file("big.hits"), big);
    test::write_file(dir.file("head.hits"), head);
    ::mkfifo(dir.file("fifo.hits").c_str(), 0644);

    const std::pair<std::vector<const char*>, const char*> refused[] = {
        {{"a.hits", "other.hits"}, "different renders"},
        {{"a.hits", "overlap.hits", "b.hits"}, "overlap"},
        {{"a.hits"}, "missing"},
        {{"short.hits", "b.hits"}, "size"},
        {{"big.hits", "b.hits"}, "exceeds"},
        {{"head.hits", "b.hits"}, "damaged"},
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
}

// A poster is checked against the memory budget before anything is drawn.
TEST(CliOrbits, RenderSizeIsCheckedAgainstTheMemoryBudget) {
    test::TempDir dir;
    const std::string out = " -o " + dir.file("x.tga");
    ::setenv("MORVANE_MEMORY_LIMIT", "100000000", 1);
    const test::CliRun poster = test::run_cli("--res 16384" + out);
    const test::CliRun small = test::run_cli("-q --res 1000 --iterations 10" + out);
    ::unsetenv("MORVANE_MEMORY_LIMIT");
    EXPECT_EQ(poster.status, 2);
    EXPECT_NE(poster.output.find("16384 x 16384 render needs"), std::string::npos) << poster.output;
    EXPECT_EQ(small.status, 0) << small.output;
}

} // namespace
} // namespace morv
