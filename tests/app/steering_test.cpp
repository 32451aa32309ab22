// SPDX-License-Identifier: GPL-3.0-or-later
// The steered random search in the desktop program: its options form, F5 and
// the gallery steered by it, and the animation made from the history.
#include "analysis/random.h"
#include "app/command_ids.h"
#include "app/gallery.h"
#include "app/history_animation.h"
#include "app/search_steering.h"
#include "core/catalogue.h"
#include "fakes.h"
#include "files/atr.h"
#include "files/image.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morv::test {
namespace {

using namespace morv::app;

// Half of the range Peter de Jong's random scheme draws its coefficients from.
const double kDeJongHalfRange =
    (catalogue[kTypeDeJong].abcdrange[1] - catalogue[kTypeDeJong].abcdrange[0]) / 2;

// The form shows what steers now; OK takes well-formed fields and refuses
// anything else with a message, leaving the steering as it was.
TEST(SteeringForm, TakesRangesFrozenCoefficientsAndASpreadOrRefusesThemAll) {
    Instance s;
    SteeringForm form;
    Fields f = form.open(s, s);
    EXPECT_FALSE(f.is_checked(kSteerLargestOn) || f.is_checked(kSteerFrozen));
    EXPECT_EQ(f.text_of(kSteerSpread), "");
    type_in(f, {{kSteerLargestOn + 1, "0.1"}, {kSteerLargestOn + 2, "0.5"}, {kSteerSpread, "25"}},
            {kSteerLargestOn, kSteerFrozen + 1, kSteerFrozen + 4});
    ASSERT_TRUE(form.ok(s, f).close);
    ASSERT_TRUE(s.steering.largest_exponent && !s.steering.kaplan_yorke);
    EXPECT_EQ(std::pair(s.steering.largest_exponent->low, s.steering.largest_exponent->high),
              std::pair(0.1, 0.5));
    EXPECT_EQ(s.steering.frozen, (std::array<bool, 6>{false, true, false, false, true, false}));
    EXPECT_EQ(s.steering.spread_percent, 25.0);
    Fields again = form.open(s, s);
    EXPECT_TRUE(again.is_checked(kSteerLargestOn) && again.is_checked(kSteerFrozen + 4));

    const SearchSteering kept = s.steering;
    struct Bad {
        int field; // the Kaplan-Yorke range's box and edits, or the percentage
        std::string_view low, high;
    };
    for (const Bad& b :
         {Bad{kSteerKyOn, "2", "1"}, Bad{kSteerKyOn, "one", "2"}, Bad{kSteerKyOn, "nan", "2"},
          Bad{kSteerSpread, "0", ""}, Bad{kSteerSpread, "150", ""}, Bad{kSteerSpread, "5%", ""}}) {
        Fields bad = form.open(s, s);
        if (b.field == kSteerKyOn) {
            type_in(bad, {{kSteerKyOn + 1, b.low}, {kSteerKyOn + 2, b.high}}, {kSteerKyOn});
        } else {
            type_in(bad, {{kSteerSpread, b.low}});
        }
        const app::FormOutcome out = form.ok(s, bad);
        EXPECT_FALSE(out.close) << b.low;
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(s.steering.spread_percent, kept.spread_percent);
        EXPECT_FALSE(s.steering.kaplan_yorke);
    }
    // Cleared boxes and an empty percentage: the program's own search again.
    ASSERT_TRUE(ok_with(form, s, {{kSteerSpread, " "}}, {}, true).close);
    EXPECT_FALSE(s.steering.steered());
}

// Steered, F5 keeps the frozen coefficients and stays within the spread; a
// search that finds nothing says so in the title's note, not in a box, and
// leaves the set as it was.
TEST(SteeredF5, KeepsFrozenCoefficientsAndNotesAFruitlessSearch) {
    Harness h;
    h.s.type = kTypeDeJong;
    h.keys({kCmdRender, kCmdRender});
    const TypeParams before = h.s.p[kTypeDeJong];
    h.s.steering.frozen = {true, false, true, false, false, false};
    h.s.steering.spread_percent = 10;
    h.key(kCmdRandom);
    const TypeParams& p = h.s.p[kTypeDeJong];
    EXPECT_EQ(std::pair(p.a, p.c), std::pair(before.a, before.c));
    EXPECT_NE(std::pair(p.b, p.d), std::pair(before.b, before.d));
    EXPECT_LE(std::fabs(p.b - before.b), 0.1 * kDeJongHalfRange + 1e-12);
    EXPECT_LE(std::fabs(p.d - before.d), 0.1 * kDeJongHalfRange + 1e-12);
    EXPECT_EQ(std::tuple(h.s.rendering, h.s.fresh_image), std::tuple(1, 1));
    EXPECT_TRUE(h.s.search_note.empty());
    EXPECT_GT(h.s.chaos.lexp, 0); // the estimate F5 shows in the Parameters dialog

    h.key(kCmdRender);
    const TypeParams now = h.s.p[kTypeDeJong];
    h.s.steering.largest_exponent = Range{40, 50};
    h.key(kCmdRandom);
    EXPECT_EQ(h.s.p[kTypeDeJong], now);
    EXPECT_EQ(h.s.rendering, 0);
    EXPECT_NE(h.s.search_note.find("accepted none of 99 candidates"), std::string::npos)
        << h.s.search_note;
    ASSERT_EQ(h.prompts.shown.size(), 1u); // the advisory of the first search only
}

// Without steering a candidate is the program's own search from its clock,
// as before; steered, the frozen coefficients stay and the spread bounds the
// others, on any number of threads.
TEST(Gallery, UnsteeredIsTheOwnSearchAndSteeredKeepsTheBounds) {
    Instance s;
    s.steps = &fpointer;
    s.type = kTypeDeJong;
    GallerySettings settings{3, 64, 2000, {}};
    const std::vector<GalleryCandidate> plain = draw_gallery(s, fpointer, 500, settings, 2);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        State alone = make_state(kTypeDeJong, 64, 500 + static_cast<std::int64_t>(i));
        ASSERT_EQ(randomparams(alone, ChaosMeasure{}).code, kRandomAccepted);
        EXPECT_EQ(plain[i].params.p[kTypeDeJong], alone.p[kTypeDeJong]) << i;
        EXPECT_FALSE(plain[i].steered);
    }

    settings.steering.frozen = {false, true, false, false, false, false};
    settings.steering.spread_percent = 5;
    const std::vector<GalleryCandidate> one = draw_gallery(s, fpointer, 900, settings, 1);
    const std::vector<GalleryCandidate> two = draw_gallery(s, fpointer, 900, settings, 2);
    const TypeParams& cur = s.p[kTypeDeJong];
    for (std::size_t i = 0; i < one.size(); ++i) {
        ASSERT_TRUE(one[i].found && one[i].steered) << i;
        const TypeParams& p = one[i].params.p[kTypeDeJong];
        EXPECT_EQ(p, two[i].params.p[kTypeDeJong]) << i;
        EXPECT_EQ(p.b, cur.b) << i;
        for (double TypeParams::*c : {&TypeParams::a, &TypeParams::c, &TypeParams::d})
            EXPECT_LE(std::fabs(p.*c - cur.*c), 0.05 * kDeJongHalfRange + 1e-12) << i;
        EXPECT_GT(one[i].largest_exponent, 0) << i;
        EXPECT_EQ(one[i].thumbnail.width(), 64);
    }
    EXPECT_NE(one[0].params.p[kTypeDeJong], one[1].params.p[kTypeDeJong]);
}

// The keys are the history's sets of the current type in the order the user
// had them, a set that moves nothing left out; the preview's frames are the
// frames morvane-render --animate makes of the same keys.
TEST(HistoryAnimation, KeysFollowTheHistoryAndFramesAreTheRenderersFrames) {
    Instance s;
    s.type = kTypeDeJong;
    const auto change = [&s](const std::function<void()>& edit) {
        const ParameterSnapshot before = take_snapshot(s, s);
        edit();
        s.history.changed(before, take_snapshot(s, s));
    };
    const Params first = s;
    change([&] { s.p[kTypeDeJong].a = 1.5; });
    change([&] { s.type = kTypeHenon; }); // another type's set: left out
    change([&] { s.type = kTypeDeJong; });
    change([&] { s.back = 0x102030; }); // moves nothing between keys
    change([&] { s.p[kTypeDeJong].a = -1.0; });
    change([&] { s.p[kTypeDeJong].a = 0.5; });
    // Back one step: the newest set stays ahead, a key all the same.
    restore_snapshot(s, s, *s.history.back(take_snapshot(s, s)));
    ASSERT_EQ(s.p[kTypeDeJong].a, -1.0);
    const PreviewPlan plan{200, 3, 2000, Easing::Linear};
    const std::vector<Params> keys = history_keys(s, s, plan.side);
    ASSERT_EQ(keys.size(), 4u);
    for (const auto& [k, a] : {std::pair{0, first.p[kTypeDeJong].a}, {1, 1.5}, {2, -1.0}, {3, 0.5}})
        EXPECT_EQ(keys[static_cast<std::size_t>(k)].p[kTypeDeJong].a, a) << k;
    EXPECT_TRUE(keys[0].res == 200 && keys[0].dres == 200);
    ASSERT_EQ(preview_frames(keys.size(), plan), 10);
    EXPECT_DOUBLE_EQ(preview_frame(keys, 4, plan).p[kTypeDeJong].a, 1.5 + (-2.5 / 3));

    TempDir dir;
    std::string args = "-q --res 200 --iterations 200 --seed 1 --frames 10 --animate";
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::string path = dir.file("k" + std::to_string(k) + ".atr");
        ASSERT_EQ(write_parameter_file(keys[k], path), 0);
        args += " " + quoted(path);
    }
    const CliRun r = run_cli(args + " -o " + quoted(dir.file("f%d.png")));
    ASSERT_EQ(r.status, 0) << r.output;
    for (long long k = 0; k < 10; ++k) {
        Params frame;
        ASSERT_EQ(load_png_parameters(frame, dir.file("f" + std::to_string(k) + ".png"), nullptr),
                  kAtrLoadOk);
        const Params preview = preview_frame(keys, k, plan);
        const auto t = static_cast<std::size_t>(kTypeDeJong);
        EXPECT_EQ(std::tuple(frame.p[t], frame.mm[t], frame.rot[t], frame.picture),
                  std::tuple(preview.p[t], preview.mm[t], preview.rot[t], preview.picture))
            << k;
    }
}

} // namespace
} // namespace morv::test
