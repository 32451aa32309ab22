// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's toned picture: what a change of its settings asks for, the
// density gathered beside the defined drawing (or on a finer grid), and the
// picture on the window toned from it.
#include "app/command_ids.h"
#include "app/tone_commands.h"
#include "core/run_calls.h"
#include "fakes.h"
#include "formulas/kernels.h"
#include "support/render.h"

#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

constexpr int kRes = 120;

PictureSettings toned(int oversample = 1, int color_by = 0) {
    PictureSettings p;
    p.tone = 1;
    p.oversample = oversample;
    p.color_by = color_by;
    return p;
}

// Peter de Jong by hit count at kRes, the points drawn as the render pump
// draws them: the finer orbit started with each fresh image and kept level.
struct Toned : Harness {
    Toned() {
        s.type = kTypeDeJong;
        s.method[s.type] = kMethodHitCount;
        set_resolution(s, kRes);
    }
    void draw(long long calls) {
        if (s.fresh_image) start_fine_orbit(s);
        const RunOutcome out = run_calls(s, calls, &fused_kernels);
        run_fine_orbit(s, out.calls);
    }
    // The window's pixel at (x, y) as a colour.
    Rgb shown(int x, int y) const { return s.window.get_pixel(x, y); }
};

// The picture the settings make of `d`, toned afresh here.
TonedImage reference(const Density& d, const Params& ps, int oversample) {
    FilteredDensity f;
    TonedImage img;
    ToneSettings t = tone_settings_of(ps);
    t.transparent = false;
    EXPECT_TRUE(downsample(d.cells(), d.side(), {oversample, ps.picture.filter_width}, f));
    EXPECT_TRUE(tone(f, t, img));
    return img;
}

TEST(ToneCommands, OnlyWhatIsAccumulatedRestartsTheImage) {
    PictureSettings brighter = toned(), other_color = toned(1, 2), finer = toned(3);
    brighter.exposure = 2;
    PictureSettings off_brighter = brighter, off_finer = finer;
    off_brighter.tone = off_finer.tone = 0;
    const struct {
        const char* what;
        PictureSettings before, after;
        PictureChange want;
    } cases[] = {
        {"unchanged", toned(), toned(), PictureChange::None},
        {"switched on", PictureSettings{}, toned(), PictureChange::Restart},
        {"switched off", toned(), PictureSettings{}, PictureChange::Retone},
        {"exposure", toned(), brighter, PictureChange::Retone},
        {"colour source", toned(), other_color, PictureChange::Restart},
        {"oversampling", toned(), finer, PictureChange::Restart},
        {"curve while off", PictureSettings{}, off_brighter, PictureChange::None},
        {"oversampling while off", PictureSettings{}, off_finer, PictureChange::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(picture_change(c.before, c.after), c.want) << c.what;
}

TEST(ToneCommands, StepsBackOverTheCurveKeepThePoints) {
    Instance s;
    s.picture = toned();
    const ParameterSnapshot base = take_snapshot(s, s);
    ParameterSnapshot curve = base, source = base, view = base;
    curve.params.picture.gamma = 1.5;
    source.params.picture.color_by = 3;
    view.params.mm[view.params.type].xmin -= 1;
    EXPECT_TRUE(only_retoned(base, curve));
    EXPECT_TRUE(only_retoned(curve, base));
    EXPECT_FALSE(only_retoned(base, source));
    EXPECT_FALSE(only_retoned(base, view));
}

TEST(ToneCommands, TKeyOpensTheWindowWhileRendering) {
    Harness h;
    h.key(kCmdRender);
    h.key(kCmdTone);
    EXPECT_EQ(h.host.tone_windows, 1);
    EXPECT_EQ(h.s.rendering, 1);
}

// Toning shows the density's picture on the window and leaves the canvas,
// the defined drawing, as it is without toning.
TEST(ToneCommands, TonedWindowBesideAnUnchangedCanvas) {
    Toned plain, t;
    plain.draw(20000);
    EXPECT_EQ(apply_picture(t.s, toned()), PictureChange::Restart);
    t.draw(20000);
    ASSERT_TRUE(toning(t.s));
    EXPECT_EQ(canvas_checksum(t.s), canvas_checksum(plain.s));
    ASSERT_TRUE(retone(t.s));
    const TonedImage want = reference(t.s.density, t.s, 1);
    int lit = 0;
    for (int y = 0; y < kRes; ++y)
        for (int x = 0; x < kRes; ++x) {
            ASSERT_EQ(t.shown(x, y), want.color_at(x, y)) << x << "," << y;
            lit += t.shown(x, y) != t.s.back;
        }
    EXPECT_GT(lit, 100);
    // Beyond the image the window keeps what it had.
    EXPECT_EQ(t.shown(kRes + 5, 5), plain.shown(kRes + 5, 5));
}

// A slider re-tones what was gathered: no point is drawn again.
TEST(ToneCommands, RetoningKeepsTheDensityAndThePointCount) {
    Toned t;
    apply_picture(t.s, toned());
    t.draw(20000);
    const std::vector<DensityCell> cells = t.s.density.cells();
    const int itercount = t.s.itercount;
    ASSERT_TRUE(retone(t.s));
    const Rgb before = t.shown(kRes / 2, kRes / 2);
    PictureSettings darker = t.s.picture;
    darker.exposure = 0.2;
    EXPECT_EQ(apply_picture(t.s, darker), PictureChange::Retone);
    ASSERT_TRUE(retone(t.s, false)); // as a slider does: what was filtered, toned again
    EXPECT_EQ(t.s.fresh_image, 0);
    EXPECT_EQ(t.s.itercount, itercount);
    EXPECT_EQ(t.s.density.cells(), cells);
    const TonedImage want = reference(t.s.density, t.s, 1);
    EXPECT_EQ(t.shown(kRes / 2, kRes / 2), want.color_at(kRes / 2, kRes / 2));
    EXPECT_TRUE(before == t.s.back || t.shown(kRes / 2, kRes / 2) != before);
    // Off again: nothing is gathered from the next image on.
    EXPECT_EQ(apply_picture(t.s, PictureSettings{}), PictureChange::Retone);
    EXPECT_FALSE(toning(t.s));
    t.s.fresh_image = true;
    t.draw(10);
    EXPECT_FALSE(t.s.density.active());
}

// Oversampled, the same orbit is counted on a grid S times finer and the
// picture brought down to the image's size; the canvas stays the defined one.
TEST(ToneCommands, OversampledOrbitIsCountedOnTheFinerGrid) {
    Toned plain, t;
    plain.draw(20000);
    apply_picture(t.s, toned(2));
    t.draw(20000);
    EXPECT_FALSE(t.s.density.active());
    const Density* d = toned_density(t.s);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->side(), 2 * kRes);
    std::uint64_t hits = 0;
    for (const DensityCell& c : d->cells())
        hits += c.n;
    EXPECT_GT(hits, 19000u);
    EXPECT_EQ(canvas_checksum(t.s), canvas_checksum(plain.s));
    ASSERT_TRUE(retone(t.s));
    EXPECT_EQ(t.s.tone.picture.width(), kRes);
    const TonedImage want = reference(*d, t.s, 2);
    for (int y = 0; y < kRes; y += 7)
        for (int x = 0; x < kRes; x += 7)
            ASSERT_EQ(t.shown(x, y), want.color_at(x, y)) << x << "," << y;
}

} // namespace
} // namespace morv::test
