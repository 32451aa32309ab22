// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's render on every core draws what morvane-render draws
// for the same orbits, points and seed, toned or not, and a picture restarted
// mid-way shows nothing of the one before.
#include "app/command_ids.h"
#include "app/cores_render.h"
#include "app/tone_commands.h"
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
    PictureSettings picture{};
    const char* tone_options = ""; // the same toning for morvane-render
};

// The options that draw the same picture with morvane-render.
std::string renderer_options(const Scene& c) {
    const bool fast = c.cores.fast;
    return "--type " + std::to_string(c.type) + " --set method=" + std::to_string(c.method) +
           " --orbits " + std::to_string(c.cores.orbits) + " --iterations " +
           std::to_string(c.cores.points) + (fast ? " --fast " : " ") + c.tone_options;
}

PictureSettings toned(int oversample, int color_by, double exposure, int depth) {
    PictureSettings p;
    p.tone = 1;
    p.oversample = oversample;
    p.color_by = color_by;
    p.exposure = exposure;
    p.depth = depth;
    return p;
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
        {"toned, coloured by index",
         kTypeDeJong,
         kMethodHitCount,
         {true, false, 8, 400000, 2},
         toned(1, 3, 2.5, 8),
         "--tone log --color-by index --exposure 2.5"},
        {"toned, oversampled, 16 bits, in vector lanes",
         kTypeIkedaIfs,
         kMethodSpeedPoints,
         {true, true, 5, 300000, 2},
         toned(2, 0, 1, 16),
         "--tone log --oversample 2 --depth 16"},
    };
    for (const Scene& c : scenes) {
        SCOPED_TRACE(c.what);
        Harness h;
        h.s.type = c.type;
        h.s.method[c.type] = c.method;
        ASSERT_TRUE(set_resolution(h.s, 200));
        apply_picture(h.s, c.picture);
        ASSERT_EQ(cores_refusal(h.s, c.cores), std::nullopt);
        CoresRender r;
        // A picture of other parameters, restarted before it ends, leaves
        // nothing behind.
        h.s.p[c.type].a += 0.25;
        r.start(h.s, c.cores, kClock);
        r.pause(true);
        h.s.p[c.type].a -= 0.25;
        start_cores_toning(h.s);
        r.start(h.s, c.cores, kClock);
        wait_for(r);
        ASSERT_FALSE(r.out_of_memory());
        EXPECT_EQ(r.calls(), c.cores.points);
        ASSERT_TRUE(r.show(h.s, cores_density(h.s)));
        const bool tone = c.picture.tone != 0;
        EXPECT_EQ(toning(h.s), tone);
        const std::string mine = dir.file(tone ? "mine.png" : "mine.tga");
        const std::string theirs = dir.file(tone ? "theirs.png" : "theirs.tga");
        if (tone) {
            // Saved with S as the render pump leaves the picture.
            h.s.image_calls = r.calls();
            h.s.image_orbits = c.cores.orbits;
            h.s.image_fast = c.cores.fast;
            h.s.clock_log->note(kClock);
            h.prompts.files = {mine};
            h.key(kCmdSaveImage);
            ASSERT_EQ(h.prompts.shown.size(), 1u);
            ASSERT_EQ(h.prompts.shown[0].kind, Shown::Inform) << h.prompts.shown[0].text;
        } else {
            ASSERT_EQ(writeimage(h.s, mine), 0);
        }
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
    h.s.picture.tone = 1;
    EXPECT_EQ(cores_refusal(h.s, fast), std::nullopt) << "toned";
    // The orbits of an oversampled picture share the finer grid's pixels.
    h.s.picture.oversample = 4;
    EXPECT_NE(cores_refusal(h.s, CoresSettings{true, false, 8, 2'000'000, 0}), std::nullopt);
    h.s.picture.oversample = 2;
    // What would not fit is refused with what it needs.
    setenv("MORVANE_MEMORY_LIMIT", std::to_string(cores_bytes(h.s, fast) - 1).c_str(), 1);
    const auto e = cores_refusal(h.s, fast);
    unsetenv("MORVANE_MEMORY_LIMIT");
    ASSERT_NE(e, std::nullopt);
    EXPECT_NE(e->find("toned"), std::string::npos) << *e;
}

} // namespace
} // namespace morv::test
