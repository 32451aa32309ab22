// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's render on every core draws what morvane-render draws
// for the same orbits, points and seed, and a picture restarted mid-way shows
// nothing of the one before.
#include "app/cores_render.h"
#include "core/type_ids.h"
#include "fakes.h"
#include "files/image.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace morv::test {
namespace {

using namespace morv::app;

void wait_for(const CoresRender& r) {
    while (!r.finished())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

struct Scene {
    const char* what;
    int type, method;
    CoresSettings cores;
};

// The options that draw the same picture with morvane-render.
std::string renderer_options(const Scene& c) {
    return "--type " + std::to_string(c.type) + " --set method=" + std::to_string(c.method) +
           " --orbits " + std::to_string(c.cores.orbits) + " --iterations " +
           std::to_string(c.cores.points) + (c.cores.fast ? " --fast" : "");
}

TEST(CoresRender, DrawsWhatTheRendererDrawsForTheSameOrbitsAndSeed) {
    TempDir dir;
    constexpr std::int64_t kClock = 4321;
    const Scene scenes[] = {
        {"exact, hit count", kTypeDeJong, kMethodHitCount, {true, false, 8, 400000, 2}},
        {"exact, start sets", kTypeStormJulia, kMethodHitCount, {true, false, 6, 300000, 2}},
        {"fast, hit count, one thread", kTypeDeJong, kMethodHitCount, {true, true, 12, 400000, 1}},
        {"fast, random branches, speed points",
         kTypeIkedaIfs,
         kMethodSpeedPoints,
         {true, true, 9, 300000, 2}},
        {"fast, a carried term and fresh starts",
         kTypeFeather,
         kMethodHitCount,
         {true, true, 9, 300000, 2}},
    };
    for (const Scene& c : scenes) {
        SCOPED_TRACE(c.what);
        Harness h;
        h.s.type = c.type;
        h.s.method[c.type] = c.method;
        ASSERT_TRUE(set_resolution(h.s, 200));
        ASSERT_EQ(cores_refusal(h.s, c.cores), std::nullopt);
        CoresRender r;
        // A picture of other parameters, restarted before it ends, leaves
        // nothing behind.
        h.s.p[c.type].a += 0.25;
        r.start(h.s, c.cores, kClock);
        r.pause(true);
        h.s.p[c.type].a -= 0.25;
        r.start(h.s, c.cores, kClock);
        wait_for(r);
        ASSERT_FALSE(r.out_of_memory());
        EXPECT_EQ(r.calls(), c.cores.points);
        ASSERT_TRUE(r.show(h.s));
        const std::string mine = dir.file("mine.tga"), theirs = dir.file("theirs.tga");
        ASSERT_EQ(writeimage(h.s, mine), 0);
        const CliRun cli = run_cli(std::string("-q --res 200 --seed ") + std::to_string(kClock) +
                                   " " + renderer_options(c) + " -o " + quoted(theirs));
        ASSERT_EQ(cli.status, 0) << cli.output;
        EXPECT_EQ(read_file(mine), read_file(theirs));
    }
}

// What cannot be drawn as K orbits is drawn as the one orbit, with the reason.
TEST(CoresRender, RefusesWhatSeveralOrbitsCannotDraw) {
    Harness h;
    const CoresSettings fast{true, true, 8, 1000000, 0};
    h.s.type = 6;
    h.s.method[6] = kMethodSpeedLines;
    EXPECT_NE(cores_refusal(h.s, fast), std::nullopt) << "a line method";
    h.s.method[6] = kMethodHitCount;
    EXPECT_EQ(cores_refusal(h.s, fast), std::nullopt);
    EXPECT_NE(cores_refusal(h.s, CoresSettings{true, false, 8, 100, 0}), std::nullopt)
        << "too few points for 8 orbits";
    h.s.density.want(true);
    EXPECT_NE(cores_refusal(h.s, fast), std::nullopt) << "toned";
}

} // namespace
} // namespace morv::test
