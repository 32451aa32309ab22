#include "app/forms/param_form.h"

#include "analysis/random.h"
#include "app/app_state.h"
#include "fakes.h"
#include "formulas/steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace morv::test {
namespace {

using namespace morv::app;

constexpr int kGanymede = kTypeGanymede;

Instance state_of(int type) {
    Instance s;
    s.type = type;
    return s;
}

ParamForm quiet_form() {
    return ParamForm([](State&) { return ChaosMeasure{1.0, 1.5}; });
}

TEST(ParamForm, ResolutionAndSpeedAreClampedAndEmptyReadsAsTheMinimum) {
    ParamForm form = quiet_form();
    for (auto [typed, res] : {std::pair{"100", 200}, {"5000", 4000}, {"", 200}, {" 800x", 800}}) {
        Instance s = state_of(0);
        press_ok(form, s, [&](Fields& f) { f.text[kParamResolution] = typed; });
        EXPECT_EQ(s.res, res) << typed;
    }
    for (auto [typed, speed] : {std::pair{"10", 0}, {"0", 17}, {"", 17}, {"8", 3}}) {
        Instance s = state_of(0);
        press_ok(form, s, [&](Fields& f) { f.text[kParamSpeed] = typed; });
        EXPECT_EQ(s.speed, speed) << typed;
    }
    EXPECT_EQ(speed_level(20), -1); // rounded down, as a loaded file may hold any delay
    EXPECT_EQ(speed_level(std::numeric_limits<int>::min()), 1073741833);
}

// Coefficients, plot window (swapped into order) and rotation are clamped to
// the type's ranges.
TEST(ParamForm, ValuesAreClampedIntoTheirRanges) {
    ParamForm form = quiet_form();
    Instance s = state_of(kGanymede);
    const app::Outcome out = press_ok(form, s, [](Fields& f) {
        f.text[kParamA] = "5";
        f.text[kParamA + 1] = "-3";
        f.text[kParamA + 2] = "-2";
        f.text[kParamXmin] = "2";
        f.text[kParamXmin + 1] = "1";
        f.text[kParamXmin + 2] = "-9";
        f.text[kParamXmin + 3] = "1e999";
        f.text[kParamRotX] = "-10";
        f.text[kParamRotX + 1] = "400";
        f.text[kParamRotX + 2] = "90.5";
        f.checked[kParamOrder] = false;
        f.checked[kParamOrder + 4] = true;
    });
    EXPECT_TRUE(out.close);
    const PARAM& p = s.p[kGanymede];
    EXPECT_EQ((std::array{p.a, p.b, p.c, p.d}), (std::array{3.0, -3.0, -1.5, 0.745}));
    const MINMAX& mm = s.mm[kGanymede];
    EXPECT_EQ((std::array{mm.xmin, mm.xmax, mm.ymin, mm.ymax}), (std::array{1.0, 2.0, -5.0, 5.0}));
    const VOXEL& r = s.rot[kGanymede];
    EXPECT_EQ((std::array{r.x, r.y, r.z}), (std::array{0.0, 360.0, 90.5}));
    EXPECT_EQ(s.rotationorder, 4);
}

// Disabled fields are clamped too, so that Frothy Basin, whose default b lies
// outside its range, loses its b.
TEST(ParamForm, UnchangedValuesSurviveTheRoundTrip) {
    ParamForm form = quiet_form();
    for (int type = 0; type < NTYPES; ++type) {
        Instance s = state_of(type);
        const Instance before = s;
        const app::Outcome out = press_ok(form, s, [](Fields&) {});
        EXPECT_TRUE(out.close) << type;
        const auto t = static_cast<std::size_t>(type);
        EXPECT_EQ(s.p[t].a, before.p[t].a) << type;
        EXPECT_EQ(s.p[t].b, type == kTypeBasin ? 0.0 : before.p[t].b) << type;
        EXPECT_EQ(s.p[t].sp0, before.p[t].sp0) << type;
        EXPECT_EQ(s.mm[t].xmin, std::min(before.mm[t].xmin, before.mm[t].xmax)) << type;
        EXPECT_EQ(s.rot[t].x, before.rot[t].x) << type;
        EXPECT_EQ(s.speed, before.speed) << type;
    }
}

TEST(ParamForm, OkInParametersWithoutChangesKeepsARandomWingsSet) {
    constexpr int kWings = 29;
    ParamForm form = quiet_form();
    bool beyond_one = false; // a set the older range of Wings would have clamped
    for (int seed = 1; seed <= 12; ++seed) {
        Instance s = state_of(kWings);
        s.steps = &fpointer;
        s.platform.now_seconds = [seed] { return std::int64_t{seed}; };
        if (randomparams(s, ChaosMeasure{}).code != kRandomAccepted) continue;
        const PARAM found = s.p[kWings];
        beyond_one = beyond_one || std::fabs(found.sp0) > 1 || std::fabs(found.sp1) > 1;
        EXPECT_TRUE(press_ok(form, s, [](Fields&) {}).close);
        EXPECT_EQ(s.p[kWings].sp0, found.sp0) << "seed " << seed;
        EXPECT_EQ(s.p[kWings].sp1, found.sp1) << "seed " << seed;
    }
    EXPECT_TRUE(beyond_one);
}

TEST(ParamForm, NarrowWindowKeepsTheDialogOpenUntilCorrected) {
    ParamForm form = quiet_form();
    Instance s = state_of(kGanymede);
    Fields f = form.open(s);
    f.text[kParamXmin] = "0.5";
    f.text[kParamXmin + 1] = "0.52";
    f.text[kParamResolution] = "1000";
    f.text[kParamA] = "1";
    app::Outcome out = form.ok(s, f);
    EXPECT_FALSE(out.close);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text, "xmax - xmin must be >= 0.05");
    EXPECT_EQ(s.res, 1000);              // stored before the check
    EXPECT_EQ(s.p[kGanymede].a, -0.967); // the record waits for a valid window
    EXPECT_EQ(s.mm[kGanymede].xmin, -2.5);

    f.text[kParamXmin + 1] = "0.55";
    f.text[kParamXmin + 2] = "1";
    f.text[kParamXmin + 3] = "1.01";
    out = form.ok(s, f);
    EXPECT_FALSE(out.close);
    EXPECT_EQ(out.messages.at(0).text, "ymax - ymin must be >= 0.05");
    EXPECT_EQ(s.mm[kGanymede].xmin, 0.5); // the x range passed and is stored
    EXPECT_EQ(s.mm[kGanymede].xmax, 0.55);

    f.text[kParamXmin + 3] = "2";
    out = form.ok(s, f);
    EXPECT_TRUE(out.close);
    EXPECT_EQ(s.p[kGanymede].a, 1.0);
}

// Only the fields the type uses are enabled; a type without special fields
// blanks their labels.
TEST(ParamForm, EnablingAndSpecialLabelsFollowTheType) {
    ParamForm form = quiet_form();
    const Fields f = form.open(state_of(kTypeHenonPhase));
    for (const auto& [id, on] : {std::pair{kParamSp0, true},
                                 {kParamSp1, false},
                                 {kParamA, false},
                                 {kParamSpeed, false},
                                 {kParamXmin + 3, true}})
        EXPECT_EQ(f.enabled.at(id), on) << id;
    EXPECT_EQ(f.text_of(kParamSp0), "65.000000000000000");
    EXPECT_TRUE(f.is_checked(kParamOrder));
    const Fields g = form.open(state_of(kGanymede));
    EXPECT_EQ(g.text_of(kParamSp0Label), kBlankLabel);
    EXPECT_FALSE(g.enabled.at(kParamSp0));
    EXPECT_TRUE(g.enabled.at(kParamRotX));
}

TEST(ParamForm, CancelPutsBackTheRecordAndResolutionButNotTheRest) {
    ParamForm form = quiet_form();
    Instance s = state_of(kGanymede);
    Fields f = form.open(s);
    f.text[kParamResolution] = "900";
    f.text[kParamSpeed] = "10";
    f.text[kParamRotX] = "45";
    f.text[kParamXmin + 1] = f.text_of(kParamXmin).data(); // too narrow: stays open
    EXPECT_FALSE(form.ok(s, f).close);
    form.cancel(s, {});
    EXPECT_EQ(s.type, kGanymede);
    EXPECT_EQ(s.res, 600);
    EXPECT_EQ(s.p[kGanymede].a, -0.967);
    EXPECT_EQ(s.speed, 0);
    EXPECT_EQ(s.rot[kGanymede].x, 45.0);
}

// What an OK of a random-capable type says about the new set's exponent.
TEST(ParamForm, TheExponentOfTheNewSetDecidesTheMessage) {
    const double nan = std::nan("");
    const struct {
        std::optional<ChaosMeasure> measure;
        int debug;
        std::string text; // "" when no message
    } cases[] = {
        {ChaosMeasure{0.1234567, 1.0}, 0,
         "Lyapunov exponent: 0.123457\n\nThe attractor may not be chaotic\n   enough to produce "
         "an appealing\n   image."},
        {ChaosMeasure{nan, 0.0}, 0, "Lyapunov exponent: "},
        {ChaosMeasure{0.5, 1.25}, 0, ""},
        {ChaosMeasure{0.5, 1.25}, 1,
         "Lyapunov exponent: 0.500000000000000\nfractal dimension: 1.250000000000000"},
        {std::nullopt, 1, ""}, // a type that cannot be measured
    };
    for (const auto& c : cases) {
        double seen = 0;
        ParamForm form([&](State& st) {
            seen = st.p[kGanymede].a;
            return c.measure;
        });
        Instance s = state_of(kGanymede);
        s.debugflag = c.debug;
        const app::Outcome out = press_ok(form, s, [](Fields& f) { f.text[kParamA] = "0.25"; });
        EXPECT_TRUE(out.close);
        EXPECT_EQ(seen, 0.25); // measured on the new set
        ASSERT_EQ(out.messages.size(), c.text.empty() ? 0u : 1u) << c.text;
        if (!c.text.empty()) {
            EXPECT_EQ(out.messages[0].text.substr(0, c.text.size()), c.text);
            EXPECT_EQ(out.messages[0].kind,
                      c.debug ? Message::Kind::Inform : Message::Kind::WarnUnowned);
        }
    }
    bool called = false; // types without random parameters are not measured
    ParamForm form([&](State&) {
        called = true;
        return ChaosMeasure{};
    });
    Instance s = state_of(kTypeHenonPhase);
    EXPECT_TRUE(press_ok(form, s, [](Fields&) {}).messages.empty());
    EXPECT_FALSE(called);
}

} // namespace
} // namespace morv::test
