// SPDX-License-Identifier: GPL-3.0-or-later
// A PNG saved with S carries how the picture on screen was drawn; L restores
// it, and morvane-render draws the same pixels from it.
#include "app/command_ids.h"
#include "app/tone_commands.h"
#include "core/run_calls.h"
#include "fakes.h"
#include "files/image.h"
#include "files/png.h"
#include "formulas/kernels.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <functional>

namespace morv::test {
namespace {

using namespace morv::app;

struct Scene {
    const char* what;
    int type, method, res;
    long long calls;
    int filter; // a filter command, or 0
    std::function<void(Instance&)> change;
    int palette_item;
};

// The points drawn as the render pump draws them, the finer orbit of an
// oversampled toning beside them.
void draw(Instance& s, long long calls) {
    if (s.fresh_image) start_fine_orbit(s);
    run_fine_orbit(s, run_calls(s, calls, &fused_kernels).calls);
}

TEST(RecipeCommands, SaveAndLoadRestoreThePictureAndTheRendererRedrawsIt) {
    TempDir dir;
    const Scene scenes[] = {
        {"hit count, palette 2, log", 6, kMethodHitCount, 300, 30000, kCmdLog,
         [](Instance& s) { genpalette(s.palette, defpal2); }, kCmdPalette2},
        {"speed points, a palette of a file", 4, kMethodSpeedPoints, 200, 20000, 0,
         [](Instance& s) {
             for (RGB& e : s.palette)
                 e = {9, 99, 199};
         },
         kCmdPalette},
        {"toned, oversampled, 16 bits", 6, kMethodHitCount, 200, 30000, 0,
         [](Instance& s) {
             PictureSettings p;
             p.tone = 1;
             p.exposure = 3;
             p.oversample = 2;
             p.depth = 16;
             apply_picture(s, p);
         },
         kCmdPalette1},
        {"equalized, another coefficient", 6, kMethodHitCount, 200, 25000, kCmdEqualize,
         [](Instance& s) { s.p[6].a = 1.5; }, kCmdPalette1},
    };
    for (const Scene& c : scenes) {
        SCOPED_TRACE(c.what);
        Harness h;
        h.s.type = c.type;
        h.s.method[c.type] = c.method;
        ASSERT_TRUE(set_resolution(h.s, c.res));
        c.change(h.s);
        draw(h.s, c.calls);
        h.keys({kCmdRender, kCmdRender}); // paused: the filters are offered
        h.s.image_calls = c.calls;        // as the render pump counts them
        h.s.clock_log->note(1234);
        if (c.filter != 0) h.key(c.filter);
        const std::string png = dir.file("g.png");
        h.prompts.files = {png};
        h.key(kCmdSaveImage);

        Harness other;
        other.prompts.files = {png};
        other.key(kCmdLoad);
        EXPECT_TRUE(other.prompts.shown.empty());
        EXPECT_TRUE(static_cast<const Params&>(other.s) == static_cast<const Params&>(h.s));
        EXPECT_EQ(std::tuple(other.s.res, other.s.canvas.width(), other.s.checkedpalette),
                  std::tuple(c.res, c.res, c.palette_item));

        expect_cli_redraws(png, dir);
    }
}

// Once the image draws on after a filter, the filter no longer describes it.
TEST(RecipeCommands, AFilterCountsOnlyWhileThePictureIsAsItLeftIt) {
    TempDir dir;
    Harness h;
    h.s.type = 6;
    h.s.method[6] = kMethodHitCount;
    render(h.s, 5000);
    h.keys({kCmdRender, kCmdRender});
    h.s.image_calls = 5000;
    h.key(kCmdNormalize);
    for (const auto& [calls, filter] : {std::pair{5000LL, "normalize"}, {6000LL, ""}}) {
        h.s.image_calls = calls;
        h.prompts.files = {dir.file("n.png")};
        h.key(kCmdSaveImage);
        Params p;
        std::optional<RecipeRun> run;
        ASSERT_EQ(load_png_parameters(p, dir.file("n.png"), nullptr, &run), 0);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(std::tuple(run->calls, run->filter, run->seed),
                  std::tuple(calls, filter, std::nullopt));
    }
}

} // namespace
} // namespace morv::test
