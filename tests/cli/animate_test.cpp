// SPDX-License-Identifier: GPL-3.0-or-later
// Keyframe animation: the interpolation, frame names, and morvane-render's
// frames, their resumption, slices and video.
#include "cli/frame_names.h"
#include "cli/video_pipe.h"
#include "core/catalogue.h"
#include "core/keyframes.h"
#include "files/atr.h"
#include "files/image.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace morv {
namespace {

using test::read_file;

Params key(double a, double xrot) {
    Params k;
    k.type = kTypeDeJong;
    k.p[kTypeDeJong].a = a;
    k.rot[kTypeDeJong].x = xrot;
    return k;
}

// A coefficient at known frames, angles across 360 the short way, and the
// keys themselves exactly on their frames, for both easings.
TEST(Keyframes, CoefficientsAndAnglesMoveBetweenExactKeys) {
    const std::vector<Params> two{key(1.0, 350.0), key(2.0, 10.0)};
    struct Case {
        long long frame;
        double a, xrot;
    };
    for (const Case& c : {Case{1, 1.25, 355.0}, Case{2, 1.5, 0.0}, Case{3, 1.75, 5.0}}) {
        const Params p = interpolate_keys(two, c.frame, 5, Easing::Linear);
        EXPECT_DOUBLE_EQ(p.p[kTypeDeJong].a, c.a) << c.frame;
        EXPECT_NEAR(p.rot[kTypeDeJong].x, c.xrot, 1e-9) << c.frame;
    }
    const std::vector<Params> three{key(0.0, 0.0), key(1.0, 90.0), key(-0.5, 180.0)};
    for (const Easing e : {Easing::Linear, Easing::Spline}) {
        for (const auto& [frame, k] : {std::pair{0LL, 0}, {3LL, 1}, {6LL, 2}})
            EXPECT_EQ(interpolate_keys(three, frame, 7, e), three[static_cast<std::size_t>(k)]);
        // Between two keys the value stays between them on a rising stretch.
        const double before = interpolate_keys(three, 2, 7, e).p[kTypeDeJong].a;
        EXPECT_TRUE(before > 0.0 && before < 1.0) << before;
    }
    // The spline bends towards the next keys where the straight line does not.
    EXPECT_NE(interpolate_keys(three, 1, 7, Easing::Spline).p[kTypeDeJong].a,
              interpolate_keys(three, 1, 7, Easing::Linear).p[kTypeDeJong].a);
}

Params toned(double exposure, double vibrancy) {
    Params k = key(1.0, 0.0);
    k.picture.tone = 1;
    k.picture.exposure = exposure;
    k.picture.vibrancy = vibrancy;
    return k;
}

// The tone curves move where the keys differ in them, stay within their
// limits where a spline overshoots, and stay exact where the keys share them.
TEST(Keyframes, ToneCurvesMoveWhereTheKeysDifferInThem) {
    const std::vector<Params> two{toned(1.0, 1.0), toned(3.0, 1.0)};
    const Params mid = interpolate_keys(two, 1, 3, Easing::Linear);
    EXPECT_EQ(std::tuple(mid.picture.exposure, mid.picture.vibrancy, mid.picture.tone),
              std::tuple(2.0, 1.0, 1));
    const std::vector<Params> four{toned(0.5, 0.0), toned(0.5, 1.0), toned(0.5, 1.0),
                                   toned(0.5, 0.0)};
    for (long long f = 0; f < 10; ++f) {
        const Params p = interpolate_keys(four, f, 10, Easing::Spline);
        EXPECT_TRUE(p.picture.vibrancy >= 0 && p.picture.vibrancy <= 1) << f;
        EXPECT_EQ(p.picture.exposure, 0.5) << f;
    }
    EXPECT_EQ(interpolate_keys(four, 4, 10, Easing::Spline).picture.vibrancy, 1.0); // clamped
}

TEST(FrameNames, PatternsNameFramesAsPrintfWould) {
    for (const auto& [pattern, n, name] : {std::tuple{"f%04d.png", 7LL, "f0007.png"},
                                           {"out/%d.png", 123LL, "out/123.png"},
                                           {"a%%b%3d.PNG", 5LL, "a%b  5.PNG"},
                                           {"x%02d.png", 1234LL, "x1234.png"}}) {
        EXPECT_FALSE(check_frame_pattern(pattern)) << pattern;
        EXPECT_EQ(frame_path(pattern, n), name);
    }
    for (const char* bad :
         {"f.png", "f%s.png", "f%d%d.png", "f%04d.tga", "f%-4d.png", "f%99d.png", "%n.png", "f%d"})
        EXPECT_TRUE(check_frame_pattern(bad)) << bad;
    EXPECT_TRUE(is_video_path("film.MP4") && is_video_path("a/b.gif") && !is_video_path("f.png"));
}

struct Animation {
    test::TempDir dir;
    std::string k1 = dir.file("k1.atr"), k2 = dir.file("k2.png");
    const std::string common = "-q --res 200 --iterations 20000 --seed 3 --type 6 ";

    Animation() {
        make(k1, "--set p.a=-2.0 --set rot.z=350 --atr-out " + test::quoted(k1) + " -o " +
                     test::quoted(dir.file("k1.tga")));
        make(k2, "--set p.a=-1.6 --set rot.z=20 -o " + test::quoted(k2));
    }
    static void make(const std::string& path, const std::string& args) {
        const test::CliRun r = test::run_cli("-q --res 200 --iterations 100 --type 6 " + args);
        EXPECT_EQ(r.status, 0) << path << ": " << r.output;
    }
    test::CliRun run(const std::string& args) {
        return test::run_cli(common + "--animate " + test::quoted(k1) + " " + test::quoted(k2) +
                             " " + args);
    }
    std::string frame(const std::string& folder, int n) {
        return dir.file(folder + "/f" + std::to_string(n) + ".png");
    }
};

// The first and last frames are the keys rendered alone; a second run keeps
// complete frames and redoes missing and truncated ones; slices join to the
// whole.
TEST(Animate, FramesAreTheKeysAtTheEndsResumeAndSplit) {
    Animation a;
    std::filesystem::create_directory(a.dir.file("all"));
    std::filesystem::create_directory(a.dir.file("parts"));
    const std::string all = test::quoted(a.dir.file("all") + "/f%d.png");
    test::CliRun r = a.run("--frames 4 -o " + all);
    ASSERT_EQ(r.status, 0) << r.output;
    for (const auto& [k, n] : {std::pair{a.k1, 0}, {a.k2, 3}}) {
        const std::string alone = a.dir.file("alone.png");
        ASSERT_EQ(test::run_cli(a.common + test::quoted(k) + " -o " + test::quoted(alone)).status,
                  0);
        EXPECT_EQ(read_file(a.frame("all", n)), read_file(alone)) << n;
    }
    const std::vector<unsigned char> f1 = read_file(a.frame("all", 1)),
                                     f2 = read_file(a.frame("all", 2));
    EXPECT_NE(f1, f2);
    std::filesystem::remove(a.frame("all", 1));
    std::filesystem::resize_file(a.frame("all", 2), f2.size() / 2);
    r = test::run_cli("--res 200 --iterations 20000 --seed 3 --type 6 --animate " +
                      test::quoted(a.k1) + " " + test::quoted(a.k2) + " --frames 4 -o " + all);
    EXPECT_NE(r.output.find("2 rendered, 2 already complete"), std::string::npos) << r.output;
    EXPECT_EQ(read_file(a.frame("all", 1)), f1);
    EXPECT_EQ(read_file(a.frame("all", 2)), f2);

    const std::string parts = test::quoted(a.dir.file("parts") + "/f%d.png");
    for (const char* range : {"0:1", "1:3", "3:4"})
        ASSERT_EQ(a.run("--frames 4 --frame-range " + std::string(range) + " -o " + parts).status,
                  0);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(read_file(a.frame("parts", n)), read_file(a.frame("all", n))) << n;
}

// Keys saved toned give toned frames, the tone curves moving between them:
// the first frame is the first key rendered alone, the middle one carries
// the mean exposure in its recipe.
TEST(Animate, TonedKeysGiveTonedFramesWithMovingCurves) {
    test::TempDir dir;
    const std::string common = "-q --res 200 --iterations 20000 --seed 3 --type 6 --tone log ";
    const std::string k1 = dir.file("k1.png"), k2 = dir.file("k2.png");
    for (const auto& [path, args] :
         {std::pair{k1, "--exposure 1 --set p.a=-2.0"}, {k2, "--exposure 3 --set p.a=-1.6"}})
        ASSERT_EQ(test::run_cli(common + args + " -o " + test::quoted(path)).status, 0);
    const std::string frames = test::quoted(dir.file("f%d.png"));
    const test::CliRun r =
        test::run_cli("-q --res 200 --iterations 20000 --seed 3 --animate " + test::quoted(k1) +
                      " " + test::quoted(k2) + " --frames 3 -o " + frames);
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string alone = dir.file("alone.png");
    ASSERT_EQ(test::run_cli("-q --res 200 --iterations 20000 --seed 3 " + test::quoted(k1) +
                            " -o " + test::quoted(alone))
                  .status,
              0);
    EXPECT_EQ(read_file(dir.file("f0.png")), read_file(alone));
    Params mid;
    ASSERT_EQ(load_png_parameters(mid, dir.file("f1.png"), nullptr), kAtrLoadOk);
    EXPECT_EQ(std::tuple(mid.picture.tone, mid.picture.exposure), std::tuple(1, 2.0));
}

// Bad combinations are refused before anything is rendered; a video needs ffmpeg.
TEST(Animate, RefusalsAndVideo) {
    Animation a;
    const std::string pattern = test::quoted(a.dir.file("f%d.png"));
    for (const auto& [args, says] :
         {std::pair<std::string, std::string>{"--frames 3 -o " + test::quoted(a.dir.file("f.png")),
                                              "needs one frame number"},
          {"-o " + pattern, "needs --frames"},
          {"--frames 3 --frame-range 2:5 -o " + pattern, "numbered 0..2"},
          {"--frames 3 --random -o " + pattern, "exclude each other"}}) {
        const test::CliRun r = a.run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.output.find(says), std::string::npos) << r.output;
    }
    const std::string film = a.dir.file("film.mp4");
    test::CliRun r = test::run_shell("PATH=/nonexistent '" + std::string(MORVANE_RENDER_PATH) +
                                     "' " + a.common + "--animate " + test::quoted(a.k1) + " " +
                                     test::quoted(a.k2) + " --frames 3 -o " + test::quoted(film));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("Debian package ffmpeg"), std::string::npos) << r.output;
    if (find_ffmpeg().empty()) GTEST_SKIP() << "ffmpeg is not installed";
    r = a.run("--frames 3 -o " + test::quoted(film));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_GT(read_file(film).size(), 100u);
    EXPECT_FALSE(std::filesystem::exists(film + ".part.mp4"));
}

} // namespace
} // namespace morv
