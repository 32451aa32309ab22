// SPDX-License-Identifier: GPL-3.0-or-later
#include "formulas/fast_orbits.h"
#include "formulas/lanes.h"
#include "support/render.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>

namespace morv {
namespace {

constexpr int kRes = 100;

State lane_state(int type, int method) {
    State s = test::make_state(type, kRes, 5);
    s.method[type] = method;
    return s;
}

OrbitTotals counts_of(State& s, long long orbits, long long iterations, int threads, int width) {
    OrbitTotals t;
    t.counts.assign(kRes * kRes, 0);
    const OrbitJob job{
        .orbits = orbits, .end = orbits, .threads = threads, .iterations = iterations, .clock = 5};
    if (width == 0)
        render_orbits(s, job, t, nullptr);
    else
        render_fast_orbits(s, job, width, t, nullptr);
    return t;
}

// Every orbit runs the same operations in every lane width (the vector sine
// is the same at every width, nothing is fused, the vector pixels are
// trunc32's), so the counts are the same bytes for any width this processor
// runs and any thread count. 11 orbits leave idle lanes at widths 4 and 8,
// and 200001 calls make their lengths unequal and cross many fresh starts
// and forcing periods. A narrowed window puts many points off the image and
// on its edges; Henon from far away runs off to infinity and NaN, Henon
// Phase Diagram from far away starts afresh at once.
TEST(FastOrbits, CountsAreTheSameForEveryWidthAndThreadCount) {
    const std::vector<int> widths = lane_widths();
    ASSERT_EQ(widths.back(), 1);
    struct Scene {
        int type;
        bool narrowed, far, turned = false;
    };
    std::vector<Scene> scenes{{kTypeHenon, false, true}, {kTypeHenonPhase, false, true}};
    for (const int type : {kTypeHenon, kTypeIkeda, kTypeGanymede, kTypePickover, kTypeDeJong,
                           kTypeHopalong, kTypeIris, kTypeAtom, kTypeWings, kTypeMedusa, kTypeDisk,
                           kTypeStar, kTypeSpirals, kTypeCosineWaves, kTypeIkedaIfs,
                           kTypeStormJulia, kTypeHenonPhase, kTypeFeather, kTypeDuffing})
        for (const bool narrowed : {false, true})
            scenes.push_back({type, narrowed, false});
    scenes.push_back({kTypeLorenz, false, false}); // drawn about the centre, without the window
    for (const int type : {kTypeGanymede, kTypePickover, kTypeDeJong, kTypeLorenz})
        scenes.push_back({type, false, false, true});
    for (const Scene& scene : scenes)
        for (const int method : {kMethodSpeedPoints, kMethodHitCount}) {
            SCOPED_TRACE(std::string(catalogue[scene.type].name) + " method " +
                         std::to_string(method) + (scene.narrowed ? ", narrowed" : "") +
                         (scene.far ? ", far" : "") + (scene.turned ? ", turned" : ""));
            auto state = [&] {
                State s = lane_state(scene.type, method);
                ViewWindow& mm = s.mm[scene.type];
                if (scene.narrowed) {
                    const double w = mm.xmax - mm.xmin, h = mm.ymax - mm.ymin;
                    mm = {mm.xmin + w / 4, mm.xmax - w / 3, mm.ymin + h / 3, mm.ymax - h / 4};
                }
                if (scene.far) s.p[scene.type].xstart = 1e9;
                if (scene.turned) s.rot[scene.type] = {30, 0, 200};
                return s;
            };
            State first = state();
            const OrbitTotals want = counts_of(first, 11, 200001, 1, 1);
            const auto drawn = std::count_if(want.counts.begin(), want.counts.end(),
                                             [](std::uint64_t c) { return c > 0; });
            if (!scene.far || scene.type == kTypeHenonPhase) {
                EXPECT_GT(drawn, 50) << "the orbits draw next to nothing";
            }
            if (method == kMethodHitCount) {
                EXPECT_LE(std::accumulate(want.counts.begin(), want.counts.end(), 0ull),
                          200001ull - 11); // each orbit's first point is not drawn
            }
            for (const int width : widths)
                for (const int threads : {1, 2}) {
                    State s = state();
                    EXPECT_EQ(counts_of(s, 11, 200001, threads, width).counts, want.counts)
                        << "width " << width << ", " << threads << " threads";
                }
        }
}

double correlation(const std::vector<std::uint64_t>& a, const std::vector<std::uint64_t>& b) {
    const double n = static_cast<double>(a.size());
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double x = static_cast<double>(a[i]), y = static_cast<double>(b[i]);
        sa += x, sb += y, saa += x * x, sbb += y * y, sab += x * y;
    }
    return (sab - sa * sb / n) / std::sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
}

// The lanes' points differ from the exact ones after a few dozen steps (the
// maps are chaotic and the sine differs in the last bits), so only the
// densities can agree. At 2 * 10^6 points over 100 x 100 pixels a drawn pixel
// holds a few hundred hits, whose counting noise (relative 1/sqrt(n), some
// 5 %) keeps the correlation of two renders of one density near 0.998. A
// fault in a map moves or smears the attractor and drops it well below 0.99,
// as the changed coefficient (a by 0.02) shows: the threshold separates the
// two. The maps without sine or cosine make the exact points in their lanes
// (but for the random fresh starts, drawn from other streams, and Duffing's
// step, taken in doubles instead of extended precision).
TEST(FastOrbits, DensityCorrelatesWithTheExactRender) {
    constexpr long long kPoints = 2000000, kOrbits = 16;
    const int width = lane_widths().front();
    for (const int type :
         {kTypeHenon,      kTypeIkeda,  kTypeGanymede,   kTypePickover,    kTypeDeJong,
          kTypeHopalong,   kTypeIris,   kTypeAtom,       kTypeWings,       kTypeMedusa,
          kTypeDisk,       kTypeStar,   kTypeSpirals,    kTypeCosineWaves, kTypeIkedaIfs,
          kTypeStormJulia, kTypeLorenz, kTypeHenonPhase, kTypeFeather,     kTypeDuffing}) {
        SCOPED_TRACE(catalogue[type].name);
        State exact = lane_state(type, kMethodHitCount), fast = exact;
        const OrbitTotals want = counts_of(exact, kOrbits, kPoints, 2, 0);
        const OrbitTotals got = counts_of(fast, kOrbits, kPoints, 2, width);
        EXPECT_GE(correlation(want.counts, got.counts), 0.99);
        if (type == kTypeDeJong || type == kTypeLorenz) { // turned as the exact points are
            exact.rot[type] = fast.rot[type] = {30, 0, 200};
            EXPECT_GE(correlation(counts_of(exact, kOrbits, kPoints, 2, 0).counts,
                                  counts_of(fast, kOrbits, kPoints, 2, width).counts),
                      0.99)
                << "turned";
        }
        if (type != kTypeDeJong && type != kTypePickover && type != kTypeHenon &&
            type != kTypeFeather)
            continue;
        State moved = lane_state(type, kMethodHitCount);
        moved.p[type].a += 0.02;
        if (type == kTypeHenon) moved.mm[type].xmin += 0.02; // its map has no coefficients
        const OrbitTotals other = counts_of(moved, kOrbits, kPoints, 2, width);
        EXPECT_LT(correlation(want.counts, other.counts), 0.99);
    }
}

// A toned render's density from the lanes: the same sums for every width and
// thread count (each point is coloured alone and summed as whole numbers), a
// hit in the density for every counted hit, and the exact density's mean
// colour within 0.01 (the renders differ as the counts do, by a few tenths
// of a percent; a point coloured from the wrong z, speed, direction or index
// moves the mean by far more).
TEST(FastOrbits, DensityIsTheSameForEveryWidthAndLikeTheExactOne) {
    constexpr long long kPoints = 300000, kOrbits = 11;
    for (const int type : {kTypeDeJong, kTypePickover, kTypeIkedaIfs, kTypeLorenz})
        for (const ColorBy by : {ColorBy::Speed, ColorBy::Z, ColorBy::Direction, ColorBy::Index}) {
            SCOPED_TRACE(std::string(catalogue[type].name) + " coloured by " +
                         std::to_string(static_cast<int>(by)));
            auto render = [&](int threads, int width) {
                State s = lane_state(type, kMethodHitCount);
                s.density.want(true, DensitySettings{by, 70001});
                OrbitTotals t;
                t.counts.assign(kRes * kRes, 0);
                t.density.frac_bits = color_fraction_bits(kPoints);
                t.density.cells.assign(kRes * kRes, SumCell{});
                const OrbitJob job{.orbits = kOrbits,
                                   .end = kOrbits,
                                   .threads = threads,
                                   .iterations = kPoints,
                                   .clock = 5};
                if (width == 0)
                    render_orbits(s, job, t, nullptr);
                else
                    render_fast_orbits(s, job, width, t, nullptr);
                return t;
            };
            auto mean = [](const OrbitTotals& t) {
                std::array<double, 3> sum{};
                double n = 0;
                for (const SumCell& c : t.density.cells) {
                    n += static_cast<double>(c.n);
                    sum[0] += std::ldexp(static_cast<double>(c.r), -t.density.frac_bits);
                    sum[1] += std::ldexp(static_cast<double>(c.g), -t.density.frac_bits);
                    sum[2] += std::ldexp(static_cast<double>(c.b), -t.density.frac_bits);
                }
                for (double& v : sum)
                    v /= n;
                return sum;
            };
            const OrbitTotals want = render(1, 1);
            for (std::size_t i = 0; i < want.counts.size(); ++i)
                ASSERT_EQ(want.density.cells[i].n, want.counts[i]) << "pixel " << i;
            for (const int width : lane_widths())
                EXPECT_EQ(render(2, width).density.cells, want.density.cells) << "width " << width;
            const std::array<double, 3> fast = mean(want), exact = mean(render(2, 0));
            for (std::size_t c = 0; c < 3; ++c)
                EXPECT_NEAR(fast[c], exact[c], 0.01) << "channel " << c;
        }
}

TEST(FastOrbits, WidthIsTheWidestUnlessAskedFor) {
    const std::vector<int> widths = lane_widths();
    struct Case {
        const char* asked;
        int width;       // 0: refused
        const char* why; // part of the refusal
    };
    const Case cases[] = {{nullptr, widths.front(), ""},
                          {"", widths.front(), ""},
                          {"1", 1, ""},
                          {"2", 0, "expected 1, 4 or 8"},
                          {"08", 0, "expected 1, 4 or 8"},
                          {"16", 0, "expected 1, 4 or 8"},
                          {"8", widths.front() == 8 ? 8 : 0, "runs lanes of"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked == nullptr ? "(unset)" : c.asked);
        int width = -1;
        const auto e = choose_lane_width(c.asked, width);
        if (c.width == 0) {
            ASSERT_TRUE(e);
            EXPECT_NE(e->find(c.why), std::string::npos) << *e;
        } else {
            EXPECT_FALSE(e);
            EXPECT_EQ(width, c.width);
        }
    }
}

} // namespace
} // namespace morv

namespace morv {
namespace {

// The program's side: MORVANE_LANES reaches the render, a width does not
// change the bytes, toned or not, and a width this processor lacks or no
// width at all is refused before anything is drawn.
TEST(CliFast, LaneWidthSettingChangesNothingButIsChecked) {
    test::TempDir dir;
    const std::string program = std::string("'") + MORVANE_RENDER_PATH + "' ";
    const std::string args =
        "-q --res 200 --type 6 --set method=3 --seed 4 --iterations 400000 --orbits 9 --fast ";
    auto run = [&](const std::string& env, const std::string& more, const std::string& name) {
        return test::run_shell(env + " " + program + args + more + " -o " +
                               test::quoted(dir.file(name)));
    };
    for (const std::string toned : {"", " --tone log --color-by direction --oversample 2"}) {
        SCOPED_TRACE(toned);
        ASSERT_EQ(run("", "--threads 2" + toned, "wide.png").status, 0);
        const test::CliRun scalar = run("MORVANE_LANES=1", "--threads 1" + toned, "scalar.png");
        ASSERT_EQ(scalar.status, 0) << scalar.output;
        EXPECT_EQ(test::read_file(dir.file("scalar.png")), test::read_file(dir.file("wide.png")));
    }
    const test::CliRun bad = run("MORVANE_LANES=3", "", "bad.png");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("MORVANE_LANES: expected 1, 4 or 8, got '3'"), std::string::npos)
        << bad.output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("bad.png")));
}

} // namespace
} // namespace morv
