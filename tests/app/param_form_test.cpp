#include "app/forms/param_form.h"

#include "analysis/random.h"
#include "core/state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace morv;
using namespace morv::app;

namespace {

constexpr int kGanymede = 4;
constexpr int kPhaseDiagram = 7;
constexpr int kFrothyBasin = 18;

State state_of(int type) {
    State s;
    s.type = type;
    return s;
}

// Opens the dialog, lets `edit` change its fields and presses OK.
template <class Edit> Outcome press_ok(ParamForm& form, State& s, Edit edit) {
    Fields f = form.open(s);
    edit(f);
    return form.ok(s, f);
}

ParamForm quiet_form() {
    return ParamForm([](State&) { return ChaosMeasure{1.0, 1.5}; });
}

} // namespace

TEST(ParamForm, ResolutionIsClampedAndEmptyReadsAsTheMinimum) {
    ParamForm form = quiet_form();
    for (auto [typed, stored] :
         {std::pair{"100", 200}, {"5000", 4000}, {"", 200}, {" 800x", 800}}) {
        State s = state_of(0);
        press_ok(form, s, [&](Fields& f) { f.text[kParamResolution] = typed; });
        EXPECT_EQ(s.res, stored) << typed;
    }
}

TEST(ParamForm, SpeedLevelsMapToDelays) {
    ParamForm form = quiet_form();
    for (auto [typed, speed] : {std::pair{"10", 0}, {"1", 17}, {"0", 17}, {"", 17}, {"8", 3}}) {
        State s = state_of(0);
        press_ok(form, s, [&](Fields& f) { f.text[kParamSpeed] = typed; });
        EXPECT_EQ(s.speed, speed) << typed;
    }
    EXPECT_EQ(speed_level(3), 8);
    EXPECT_EQ(speed_level(0), 10);
    EXPECT_EQ(speed_level(17), 1);
    EXPECT_EQ(speed_level(20), -1); // rounded down, as a loaded file may hold any delay
    EXPECT_EQ(speed_level(std::numeric_limits<int>::min()), 1073741833);
}

TEST(ParamForm, GanymedeCoefficientsAreClampedToTheirRanges) {
    ParamForm form = quiet_form();
    State s = state_of(kGanymede);
    const Outcome out = press_ok(form, s, [](Fields& f) {
        f.text[kParamA] = "5";
        f.text[kParamA + 1] = "-3";
        f.text[kParamA + 2] = "-2";
    });
    EXPECT_TRUE(out.close);
    EXPECT_EQ(s.p[kGanymede].a, 3.0);
    EXPECT_EQ(s.p[kGanymede].b, -3.0);
    EXPECT_EQ(s.p[kGanymede].c, -1.5);
    EXPECT_EQ(s.p[kGanymede].d, 0.745);
}

TEST(ParamForm, DisabledFieldsAreClampedTooSoFrothyBasinLosesItsB) {
    ParamForm form = quiet_form();
    State s = state_of(kFrothyBasin);
    const Fields f = form.open(s);
    EXPECT_FALSE(f.enabled.at(kParamA + 1));
    form.ok(s, f);
    EXPECT_EQ(s.p[kFrothyBasin].b, 0.0);
}

TEST(ParamForm, UnchangedValuesSurviveTheRoundTrip) {
    ParamForm form = quiet_form();
    for (int type = 0; type < NTYPES; ++type) {
        State s = state_of(type);
        if (type == kFrothyBasin) continue; // its default b lies outside its range
        const State before = s;
        const Outcome out = press_ok(form, s, [](Fields&) {});
        EXPECT_TRUE(out.close) << type;
        const auto t = static_cast<std::size_t>(type);
        EXPECT_EQ(s.p[t].a, before.p[t].a) << type;
        EXPECT_EQ(s.p[t].sp0, before.p[t].sp0) << type;
        EXPECT_EQ(s.mm[t].xmin, std::min(before.mm[t].xmin, before.mm[t].xmax)) << type;
        EXPECT_EQ(s.rot[t].x, before.rot[t].x) << type;
        EXPECT_EQ(s.speed, before.speed) << type;
        EXPECT_EQ(s.res, before.res) << type;
    }
}

TEST(ParamForm, OkInParametersWithoutChangesKeepsARandomWingsSet) {
    constexpr int kWings = 29;
    ParamForm form = quiet_form();
    bool beyond_one = false; // a set the older range of Wings would have clamped
    for (int seed = 1; seed <= 12; ++seed) {
        State s = state_of(kWings);
        s.platform.now_seconds = [seed] { return std::int64_t{seed}; };
        if (randomparams(s) != kRandomAccepted) continue;
        const PARAM found = s.p[kWings];
        beyond_one = beyond_one || std::fabs(found.sp0) > 1 || std::fabs(found.sp1) > 1;
        EXPECT_TRUE(press_ok(form, s, [](Fields&) {}).close);
        EXPECT_EQ(s.p[kWings].sp0, found.sp0) << "seed " << seed;
        EXPECT_EQ(s.p[kWings].sp1, found.sp1) << "seed " << seed;
    }
    EXPECT_TRUE(beyond_one);
}

TEST(ParamForm, PlotWindowIsSwappedAndClampedIntoItsRange) {
    ParamForm form = quiet_form();
    State s = state_of(kGanymede); // range -5..5
    press_ok(form, s, [](Fields& f) {
        f.text[kParamXmin] = "2";
        f.text[kParamXmin + 1] = "1";
        f.text[kParamXmin + 2] = "-9";
        f.text[kParamXmin + 3] = "1e999";
    });
    EXPECT_EQ(s.mm[kGanymede].xmin, 1.0);
    EXPECT_EQ(s.mm[kGanymede].xmax, 2.0);
    EXPECT_EQ(s.mm[kGanymede].ymin, -5.0);
    EXPECT_EQ(s.mm[kGanymede].ymax, 5.0);
}

TEST(ParamForm, NarrowWindowKeepsTheDialogOpenUntilCorrected) {
    ParamForm form = quiet_form();
    State s = state_of(kGanymede);
    Fields f = form.open(s);
    f.text[kParamXmin] = "0.5";
    f.text[kParamXmin + 1] = "0.52";
    f.text[kParamResolution] = "1000";
    f.text[kParamA] = "1";
    Outcome out = form.ok(s, f);
    EXPECT_FALSE(out.close);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].caption, "Parameter Error");
    EXPECT_EQ(out.messages[0].text, "xmax - xmin must be >= 0.05");
    EXPECT_EQ(out.messages[0].kind, Message::Kind::WarnUnowned);
    EXPECT_EQ(s.res, 1000);              // stored before the check
    EXPECT_EQ(s.p[kGanymede].a, -0.967); // the record waits for a valid window
    EXPECT_EQ(s.mm[kGanymede].xmin, -2.5);

    f.text[kParamXmin + 1] = "0.55";
    f.text[kParamXmin + 2] = "1";
    f.text[kParamXmin + 3] = "1.01";
    out = form.ok(s, f);
    EXPECT_FALSE(out.close);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text, "ymax - ymin must be >= 0.05");
    EXPECT_EQ(s.mm[kGanymede].xmin, 0.5); // the x range passed and is stored
    EXPECT_EQ(s.mm[kGanymede].xmax, 0.55);

    f.text[kParamXmin + 3] = "2";
    out = form.ok(s, f);
    EXPECT_TRUE(out.close);
    EXPECT_EQ(s.p[kGanymede].a, 1.0);
}

TEST(ParamForm, LowLyapunovExponentWarnsWithSixDecimalsAndKeepsTheSet) {
    ParamForm form([](State&) { return ChaosMeasure{0.1234567, 1.0}; });
    State s = state_of(kGanymede);
    const Outcome out = press_ok(form, s, [](Fields& f) { f.text[kParamA] = "0.5"; });
    EXPECT_TRUE(out.close);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].caption, "Morvane");
    EXPECT_EQ(out.messages[0].text, "Lyapunov exponent: 0.123457\n\nThe attractor may not be "
                                    "chaotic\n   enough to produce an appealing\n   image.");
    EXPECT_EQ(s.p[kGanymede].a, 0.5);
}

TEST(ParamForm, LyapunovIsMeasuredOnTheNewSetAndNanWarns) {
    double seen = 0;
    ParamForm form([&](State& st) {
        seen = st.p[kGanymede].a;
        return ChaosMeasure{std::nan(""), 0.0};
    });
    State s = state_of(kGanymede);
    const Outcome out = press_ok(form, s, [](Fields& f) { f.text[kParamA] = "0.25"; });
    EXPECT_EQ(seen, 0.25);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text.rfind("Lyapunov exponent: ", 0), 0u);
}

TEST(ParamForm, DebugModeReportsExponentAndDimension) {
    ParamForm form([](State&) { return ChaosMeasure{0.5, 1.25}; });
    State s = state_of(kGanymede);
    EXPECT_TRUE(press_ok(form, s, [](Fields&) {}).messages.empty());
    s.debugflag = 1;
    const Outcome out = press_ok(form, s, [](Fields&) {});
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].kind, Message::Kind::Inform);
    EXPECT_EQ(out.messages[0].text,
              "Lyapunov exponent: 0.500000000000000\nfractal dimension: 1.250000000000000");
}

TEST(ParamForm, TypesWithoutRandomParametersAreNotMeasured) {
    bool called = false;
    ParamForm form([&](State&) {
        called = true;
        return ChaosMeasure{};
    });
    State s = state_of(kPhaseDiagram);
    EXPECT_TRUE(press_ok(form, s, [](Fields&) {}).messages.empty());
    EXPECT_FALSE(called);
}

TEST(ParamForm, PhaseDiagramLabelsAndEnabling) {
    ParamForm form = quiet_form();
    State s = state_of(kPhaseDiagram);
    const Fields f = form.open(s);
    EXPECT_EQ(f.text_of(kParamSp0Label), "angle ( 0 - 360 degrees )");
    EXPECT_EQ(f.text_of(kParamSp1Label), std::string(25, ' '));
    EXPECT_TRUE(f.enabled.at(kParamSp0));
    EXPECT_FALSE(f.enabled.at(kParamSp1));
    EXPECT_FALSE(f.enabled.at(kParamA));
    EXPECT_FALSE(f.enabled.at(kParamSpeed));
    EXPECT_TRUE(f.enabled.at(kParamXmin + 3));
    EXPECT_EQ(f.text_of(kParamSp0), "65.000000000000000");
    EXPECT_EQ(f.text_of(kParamSpeed), "8");
    EXPECT_TRUE(f.is_checked(kParamOrder));
}

TEST(ParamForm, TypesWithoutSpecialFieldsShowBlankLabels) {
    ParamForm form = quiet_form();
    State s = state_of(kGanymede);
    const Fields f = form.open(s);
    EXPECT_EQ(f.text_of(kParamSp0Label), kBlankLabel);
    EXPECT_FALSE(f.enabled.at(kParamSp0));
    EXPECT_TRUE(f.enabled.at(kParamRotX));
    EXPECT_EQ(special_labels(36).sp0, "p1 ( -2.0 - 2.0 )       ");
}

TEST(ParamForm, RotationIsClampedAndStoredAtOnceWithItsOrder) {
    ParamForm form = quiet_form();
    State s = state_of(kGanymede);
    press_ok(form, s, [](Fields& f) {
        f.text[kParamRotX] = "-10";
        f.text[kParamRotX + 1] = "400";
        f.text[kParamRotX + 2] = "90.5";
        f.checked[kParamOrder] = false;
        f.checked[kParamOrder + 4] = true;
    });
    EXPECT_EQ(s.rot[kGanymede].x, 0.0);
    EXPECT_EQ(s.rot[kGanymede].y, 360.0);
    EXPECT_EQ(s.rot[kGanymede].z, 90.5);
    EXPECT_EQ(s.rotationorder, 4);
}

TEST(ParamForm, CancelPutsBackTheRecordAndResolutionButNotTheRest) {
    ParamForm form = quiet_form();
    State s = state_of(kGanymede);
    Fields f = form.open(s);
    f.text[kParamResolution] = "900";
    f.text[kParamSpeed] = "10";
    f.text[kParamRotX] = "45";
    f.text[kParamXmin + 1] = f.text_of(kParamXmin).data(); // too narrow: stays open
    EXPECT_FALSE(form.ok(s, f).close);
    form.cancel(s);
    EXPECT_EQ(s.type, kGanymede);
    EXPECT_EQ(s.res, 600);
    EXPECT_EQ(s.p[kGanymede].a, -0.967);
    EXPECT_EQ(s.speed, 0);
    EXPECT_EQ(s.rot[kGanymede].x, 45.0);
}

TEST(ParamForm, AnUnmeasurableTypeShowsNoMessage) {
    ParamForm form([](State&) { return std::optional<ChaosMeasure>{}; });
    State s = state_of(kGanymede);
    const Outcome out = press_ok(form, s, [](Fields&) {});
    EXPECT_TRUE(out.close);
    EXPECT_TRUE(out.messages.empty());
}
