// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/random.h"
#include "app/command_ids.h"
#include "app/forms/background_form.h"
#include "app/forms/color_form.h"
#include "app/forms/field_text.h"
#include "app/forms/forms.h"
#include "app/forms/ifs_form.h"
#include "app/forms/options_chart.h"
#include "app/forms/param_form.h"
#include "app/forms/pgm_form.h"
#include "app/forms/sierpinski_form.h"
#include "app/forms/vl_form.h"
#include "app/type_form.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <set>
#include <tuple>

namespace morv::test {
namespace {

using namespace morv::app;

// Fields read like the C runtime's atoi and strtod, decimal only, over their
// first 29 characters; out-of-range numbers saturate.
TEST(FieldText, NumbersReadLikeTheRuntimeLibrary) {
    struct Reads {
        std::string text;
        double value;
    };
    for (const Reads& r :
         {Reads{"  42abc", 42}, Reads{"-17", -17}, Reads{"+3.9", 3}, Reads{"abc", 0},
          Reads{"- 5", 0}, Reads{"99999999999999999999", INT_MAX},
          Reads{"-99999999999999999999", INT_MIN}, Reads{std::string(28, ' ') + "75", 7}})
        EXPECT_EQ(read_int(r.text), r.value) << r.text;
    const std::string digits(29, '1');
    for (const Reads& r :
         {Reads{" -1.5e2x", -150.0}, Reads{".5", 0.5}, Reads{"5.", 5.0}, Reads{"2e", 2.0},
          Reads{"nan", 0.0}, Reads{"inf", 0.0}, Reads{"0x10", 0.0}, Reads{".", 0.0},
          Reads{"1e999", HUGE_VAL}, Reads{"-1e999", -HUGE_VAL}, Reads{"1e-999", 0.0},
          Reads{std::string(29, ' ') + "5", 0.0}, Reads{digits + "999", read_double(digits)}})
        EXPECT_EQ(read_double(r.text), r.value) << r.text;
    EXPECT_EQ(show_fixed(-0.967, 15), "-0.967000000000000");
    EXPECT_EQ(show_fixed(1e300, 1).size(), 303u);
    EXPECT_EQ(show_int(-2147483647 - 1), "-2147483648");
}

// Every template names each control once and puts it in an existing group.
TEST(Forms, TemplatesAreConsistent) {
    for (int id : form_dialog_ids()) {
        const auto form = make_form(id);
        ASSERT_NE(form, nullptr) << id;
        EXPECT_EQ(form->description().id, id);
        std::set<int> ids, groups;
        for (const Control& c : form->description().controls) {
            EXPECT_TRUE(c.id == kNoId || ids.insert(c.id).second) << id << ": " << c.id;
            if (c.kind == ControlKind::Group) groups.insert(c.id);
            EXPECT_TRUE(c.id != 0 && c.id != 1 && c.id != 2) << id; // 1 and 2: the buttons
        }
        for (const Control& c : form->description().controls)
            EXPECT_TRUE(c.parent == 0 || groups.count(c.parent)) << id << ": " << c.id;
    }
    EXPECT_EQ(make_form(kDlgOptionsChart), nullptr);
}

// A field's label states the range it clamps to; those are the limits of its
// row in the settings table, and the labels' texts never change.
TEST(Forms, LabelsStateTheLimitsOfTheirSettings) {
    const Limits delays = setting_named("speed").limits;
    const struct {
        int dialog;
        std::string_view label;
        Limits limits;
    } promises[] = {
        {kDlgParameters, "pixel resolution", setting_named("res").limits},
        {kDlgParameters,
         "rendering speed",
         {double(speed_level(trunc32(delays.hi))), double(speed_level(trunc32(delays.lo)))}},
        {kDlgParameters, "X axis", setting_named("rot.x").limits},
        {kDlgParameters, "Y axis", setting_named("rot.y").limits},
        {kDlgParameters, "Z axis", setting_named("rot.z").limits},
        {kDlgBackground, "red", kColourComponent},
        {kDlgBackground, "blue", kColourComponent},
        {kDlgFern, "p (", setting_named("fp.I").limits},
        {kDlgFern, "   Monochrome", kColourComponent},
        {kDlgSierpinski, "   Monochrome", kColourComponent},
        {kDlgPgmParameters, "scale", setting_named("pgmscale").limits},
        {kDlgPgmParameters, "x0", setting_named("pgmx0").limits},
        {kDlgPgmParameters, "y0", setting_named("pgmy0").limits},
        {kDlgVolterraLotka, "h (", setting_named("p.sp0").dialog_range(kTypeVolterraLotka)},
        {kDlgVolterraLotka, "p (", setting_named("p.sp1").dialog_range(kTypeVolterraLotka)},
        {kDlgVolterraLotka, "maxiter", setting_named("vlmaxiter").limits},
        {kDlgVolterraLotka, "maxsize", setting_named("vlmaxsize").limits},
        {kDlgVolterraLotka, "target set radius", setting_named("vlradius").limits},
    };
    for (const auto& p : promises) {
        int found = 0;
        for (const Control& c : make_form(p.dialog)->description().controls) {
            if (!c.text.starts_with(p.label)) continue;
            const std::string range(c.text.substr(c.text.find('(') + 1));
            double lo = 0, hi = 0;
            ASSERT_EQ(std::sscanf(range.c_str(), " %lf - %lf", &lo, &hi), 2) << c.text;
            EXPECT_EQ((Limits{lo, hi}), p.limits) << c.text;
            ++found;
        }
        EXPECT_EQ(found, 1) << p.dialog << " " << p.label;
    }
}

// OK takes the first checked type, none checked keeps the type. Types 0..25
// fill the first box, the rest the second, each box in two columns with the
// first half of its types on the left.
TEST(TypeForm, OkTakesTheFirstCheckedAndTypesFillTwoBoxesOfTwoColumns) {
    Instance s;
    s.type = 12;
    TypeForm form;
    Fields f = form.open(s, s);
    EXPECT_EQ(std::pair(f.first_checked(kFirstTypeRadio, NTYPES),
                        std::count_if(f.checked.begin(), f.checked.end(),
                                      [](auto& c) { return c.second; })),
              std::pair(12, std::ptrdiff_t{1}));
    ok_with(form, s, {}, {}, true);
    EXPECT_EQ(s.type, 12);
    ok_with(form, s, {}, {kFirstTypeRadio + NTYPES - 1, kFirstTypeRadio}, true);
    EXPECT_EQ(s.type, 0);
    std::map<int, Control> radio;
    for (const Control& c : form.description().controls)
        radio.emplace(c.id - kFirstTypeRadio, c);
    for (const auto& [type, box, column, row] :
         {std::array{12, kTypeGroupId, 0, 12}, std::array{13, kTypeGroupId, 1, 0},
          std::array{26, kMoreTypesGroupId, 0, 0},
          // the last type closes the second column of the second box
          std::array{NTYPES - 1, kMoreTypesGroupId, 1, (NTYPES - kTypesInFirstGroup) / 2 - 1}}) {
        const Control& r = radio.at(type);
        EXPECT_EQ((std::array{r.parent, r.column, r.row}), (std::array{box, column, row})) << type;
    }
}

// Every command is reached by at most one item and every key means one command.
TEST(Menu, IdsAndKeysAreUnique) {
    std::set<int> ids;
    std::set<std::string_view> keys;
    auto add = [&](int id, std::string_view key) {
        // The window's own commands, or the exploring additions beside them.
        EXPECT_TRUE((id >= kFirstCommand && id <= kLastCommand) || id >= kCmdUndo) << id;
        EXPECT_TRUE(ids.insert(id).second) << id;
        EXPECT_TRUE(key.empty() || keys.insert(key).second) << key;
    };
    for (const Popup& p : main_menu())
        for (const MenuEntry& e : p.entries) {
            if (e.kind == MenuEntry::Item) add(e.id, e.key);
            for (const MenuEntry& c : e.children)
                add(c.id, c.key);
        }
    for (const KeyOnly& k : key_only_commands())
        add(k.id, k.key);
    EXPECT_EQ(ids.size(), 26u + 11u);
}

// The chart shows the plain names and, as two flags, the marks of the type list.
TEST(OptionsChart, MarksBecomeFlags) {
    for (const OptionsChartRow& r : options_chart()) {
        const std::string_view label = type_label(r.type);
        EXPECT_EQ(label.substr(0, r.name.size()), r.name);
        EXPECT_EQ(std::pair(r.changeable, r.random),
                  std::pair(label.find('+', r.name.size()) != std::string_view::npos,
                            label.find('$', r.name.size()) != std::string_view::npos))
            << label;
    }
    EXPECT_EQ(options_chart()[9].name, "IFS  ( Ferns and More )"); // inner spaces stay
}

// Colour components: clamped to 0..255, a non-number reads as 0; Cancel keeps
// the old colour. Sierpinski modes out of range check nothing and stay unless
// chosen.
TEST(ColourForms, ComponentsAreClampedAndCancelKeepsTheColour) {
    Instance s;
    BackgroundForm back;
    Fields f = back.open(s, s);
    f.text[kBackRed] = "0";
    back.cancel(s, f);
    EXPECT_EQ(s.back, rgb(255, 245, 230));
    ok_with(back, s, {Put{kBackRed, "300"}, Put{kBackRed + 1, "-5"}, Put{kBackRed + 2, "abc"}});
    EXPECT_EQ(s.back, rgb(255, 0, 0));
    SierpinskiForm sierpinski;
    ok_with(sierpinski, s, {Put{kSierpinskiRed, "999"}},
            {kSierpinskiShape + 5, kSierpinskiColoring + 1}, true);
    EXPECT_EQ(std::tuple(s.smode, s.scmode, s.fore), std::tuple(5, 1, rgb(255, 128, 48)));
    s.smode = 15; // 670 + 15 is a colour field's id
    f = sierpinski.open(s, s);
    EXPECT_EQ(f.first_checked(kSierpinskiShape, 6), -1);
    EXPECT_FALSE(f.is_checked(kSierpinskiRed));
    sierpinski.ok(s, f);
    EXPECT_EQ(s.smode, 15);
}

TEST(VlForm, NumbersAreClampedAndOnlyANewColouringRerenders) {
    Instance s;
    s.fresh_image = false;
    VlForm form;
    ok_with(form, s,
            {Put{kVlMaxiter, "1"}, Put{kVlRadius, "0.001"}, Put{kVlMaxsize, "1000"},
             Put{kVlH, "0.25"}, Put{kVlH + 1, "-3"}},
            {kVlShowOrbits});
    const TypeParams& p = s.p[kTypeVolterraLotka];
    EXPECT_EQ(std::tuple(s.vlmaxiter, s.vlradius, s.vlmaxsize, p.sp0, p.sp1, s.showorbits),
              std::tuple(2, 0.01, 256.0, 0.25, 0.0, 1));
    EXPECT_EQ(s.fresh_image, 0);
    ok_with(form, s, {Put{kVlMaxiter, "5000"}}, {kVlColoring + 2}, true);
    EXPECT_EQ(std::tuple(s.vlmaxiter, s.vlcoloring, s.fresh_image), std::tuple(1024, 2, 1));
}

TEST(PgmForms, OnlyAChangeRerendersAndScaleZeroIsRaisedToOne) {
    Instance s;
    s.fresh_image = false;
    s.prestore = 1;
    PgmFormulaForm formula;
    PgmParamsForm params;
    EXPECT_FALSE(params.open(s, s).is_checked(kPgmRestore));
    for (int k = 0; k < 8; ++k) { // every formula's default start point survives the text
        s.pgmindex = k;
        formula.ok(s, formula.open(s, s));
        params.ok(s, params.open(s, s));
        EXPECT_EQ(s.fresh_image, 0) << k;
    }
    EXPECT_EQ(s.prestore, 0);
    ok_with(formula, s, {}, {kPgmFormula + 2}, true);
    EXPECT_EQ(std::tuple(s.pgmindex, s.fresh_image), std::tuple(2, 1));
    ok_with(params, s, {Put{kPgmScale, "0"}, Put{kPgmY0, "-20"}}, {kPgmRestore});
    EXPECT_EQ(std::tuple(s.pgmscale, s.pgmy0[2], s.prestore), std::tuple(1.0, -10.0, 1));
    s.pgmindex = 8; // out of range: no start point is shown or stored
    EXPECT_EQ(params.open(s, s).text_of(kPgmX0), "");
    ok_with(params, s, {Put{kPgmX0, "3"}});
    EXPECT_EQ(s.pgmx0, dpgmx0);
}

TEST(ColorForm, OnlyTheAllowedMethodsAndNoneCheckedKeepsTheMethod) {
    Instance s;
    ColorForm form;
    s.type = kTypeLorenz; // with lines: the width can be set
    EXPECT_TRUE(form.open(s, s).enabled.at(kColorWidthSlider));
    s.type = kTypeIkeda; // speed points and hit count
    const Fields f = form.open(s, s);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.enabled.at(kColorMethod + i), i == 0 || i == 2) << i;
    EXPECT_FALSE(f.enabled.at(kColorWidthSlider) || f.enabled.at(kColorWidthGroup));
    EXPECT_TRUE(f.is_checked(kColorMethod));
    ok_with(form, s, {}, {kColorMethod + 2}, true);
    EXPECT_EQ(s.method[kTypeIkeda], kMethodHitCount);
    ok_with(form, s, {}, {}, true);
    EXPECT_EQ(s.method[kTypeIkeda], kMethodHitCount);
}

TEST(ColorForm, FirstOpeningShowsTheMiddleAndCancelKeepsTheSliderButNotTheWidth) {
    Instance s;
    ColorForm form;
    EXPECT_EQ(form.open(s, s).position.at(kColorWidthSlider), 1);
    form.slider_moved(s, kColorWidthSlider, 2);
    form.cancel(s, {});
    EXPECT_EQ(s.linewidth, 1);
    ColorForm again;
    const Fields f = again.open(s, s);
    EXPECT_EQ(f.position.at(kColorWidthSlider), 2);
    again.ok(s, f);
    EXPECT_EQ(s.linewidth, 3);
}

// Unchanged fields keep the default maps ("%.8f" shows them exactly).
// Coefficients and probabilities are clamped and stored even when the sum
// check fails (six zeros excepted); colour, restore box and colouring wait
// for an accepted OK.
TEST(IfsForm, ClampedValuesStayAfterARejectedOkTheRestWaits) {
    Instance s;
    IfsForm form;
    EXPECT_TRUE(form.ok(s, form.open(s, s)).close);
    EXPECT_EQ(std::tuple(s.f, s.fp), std::tuple(fdef, fpdef));
    Fields f = form.open(s, s);
    EXPECT_EQ(f.text_of(kIfsCoefficient + 6 * 1 + 0), "0.84500000");
    const int p = kIfsProbability;
    type_in(f,
            {Put{kIfsCoefficient, "3.5"}, Put{kIfsCoefficient + 1, "-4"}, Put{p, "150"},
             Put{p + 1, "-50"}, Put{p + 2, "1"}, Put{p + 3, "0"}, Put{p + 4, "0"}, Put{p + 5, "0"},
             Put{kIfsRed + 2, "300"}},
            {kIfsColoring + 1, kIfsRestore}, true);
    const app::FormOutcome refused = form.ok(s, f);
    EXPECT_FALSE(refused.close);
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_EQ(refused.messages[0].text, "Sum of p values must equal 100.");
    EXPECT_EQ(std::pair(s.f[0][0], s.f[0][1]), std::pair(2.0, -1.0));
    const std::array stored{100, 0, 1, 0, 0, 0};
    EXPECT_EQ(s.fp, stored);
    Fields zeros = f; // six zeros are refused without being stored
    type_in(zeros, {Put{p, "0"}, Put{p + 2, "0"}});
    EXPECT_FALSE(form.ok(s, zeros).close);
    EXPECT_EQ(s.fp, stored);
    EXPECT_EQ(std::tuple(s.fore, s.frestore, s.ifscmode), std::tuple(rgb(0, 128, 48), 0, 0));
    type_in(f, {Put{p + 2, "0"}});
    EXPECT_TRUE(form.ok(s, f).close);
    EXPECT_EQ(std::tuple(s.fore, s.frestore, s.ifscmode), std::tuple(rgb(0, 128, 255), 1, 1));
}

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
    for (auto [typed, res, speed] : {std::tuple{"100", 200, 0},
                                     {"5000", 4000, 0},
                                     {"", 200, 17},
                                     {"0", 200, 17},
                                     {" 800x", 800, 0},
                                     {"8", 200, 3}}) {
        Instance s = state_of(0);
        ok_with(form, s, {Put{kParamResolution, typed}, Put{kParamSpeed, typed}});
        EXPECT_EQ(std::pair(s.res, s.speed), std::pair(res, speed)) << typed;
    }
    EXPECT_EQ(speed_level(20), -1); // rounded down, as a loaded file may hold any delay
    EXPECT_EQ(speed_level(std::numeric_limits<int>::min()), 1073741833);
}

// Coefficients, plot window (swapped into order) and rotation are clamped to
// the type's ranges.
TEST(ParamForm, ValuesAreClampedIntoTheirRanges) {
    ParamForm form = quiet_form();
    Instance s = state_of(kGanymede);
    const int a = kParamA, x = kParamXmin, r = kParamRotX;
    EXPECT_TRUE(ok_with(form, s,
                        {Put{a, "5"}, Put{a + 1, "-3"}, Put{a + 2, "-2"}, Put{x, "2"},
                         Put{x + 1, "1"}, Put{x + 2, "-9"}, Put{x + 3, "1e999"}, Put{r, "-10"},
                         Put{r + 1, "400"}, Put{r + 2, "90.5"}},
                        {kParamOrder + 4}, true)
                    .close);
    const TypeParams& p = s.p[kGanymede];
    EXPECT_EQ((std::array{p.a, p.b, p.c, p.d}), (std::array{3.0, -3.0, -1.5, 0.745}));
    const ViewWindow& mm = s.mm[kGanymede];
    EXPECT_EQ((std::array{mm.xmin, mm.xmax, mm.ymin, mm.ymax}), (std::array{1.0, 2.0, -5.0, 5.0}));
    const Point3& rot = s.rot[kGanymede];
    EXPECT_EQ((std::array{rot.x, rot.y, rot.z}), (std::array{0.0, 360.0, 90.5}));
    EXPECT_EQ(s.rotationorder, 4);
}

// Disabled fields are clamped too, so that Frothy Basin, whose default b lies
// outside its range, loses its b. A random Wings set (found to 1e-12, some
// beyond the older range of 1) keeps its last bits.
TEST(ParamForm, UnchangedValuesSurviveTheRoundTrip) {
    ParamForm form = quiet_form();
    for (int type = 0; type < NTYPES; ++type) {
        Instance s = state_of(type);
        const Instance before = s;
        EXPECT_TRUE(ok_with(form, s, {}).close) << type;
        const auto t = static_cast<std::size_t>(type);
        EXPECT_EQ(std::tuple(s.p[t].a, s.p[t].b, s.p[t].sp0, s.mm[t].xmin, s.rot[t].x, s.speed),
                  std::tuple(before.p[t].a, type == kTypeBasin ? 0.0 : before.p[t].b,
                             before.p[t].sp0, std::min(before.mm[t].xmin, before.mm[t].xmax),
                             before.rot[t].x, before.speed))
            << type;
    }
    constexpr int kWings = 29;
    bool beyond_one = false;
    for (int seed = 1; seed <= 12; ++seed) {
        Instance s = state_of(kWings);
        s.steps = &fpointer;
        s.platform.now_seconds = [seed] { return std::int64_t{seed}; };
        if (randomparams(s, ChaosMeasure{}).code != kRandomAccepted) continue;
        const TypeParams found = s.p[kWings];
        beyond_one = beyond_one || std::fabs(found.sp0) > 1 || std::fabs(found.sp1) > 1;
        EXPECT_TRUE(ok_with(form, s, {}).close);
        EXPECT_EQ(std::pair(s.p[kWings].sp0, s.p[kWings].sp1), std::pair(found.sp0, found.sp1))
            << "seed " << seed;
    }
    EXPECT_TRUE(beyond_one);
}

// What precedes a rejected plot window is stored; the record waits for a
// valid one. Cancel then puts back the record and resolution, not the rest.
TEST(ParamForm, NarrowWindowKeepsTheDialogOpenUntilCorrectedOrCancelled) {
    ParamForm form = quiet_form();
    Instance s = state_of(kGanymede);
    Fields f = form.open(s, s);
    const int x = kParamXmin;
    const struct {
        Texts typed;
        const char* refusal; // "" when accepted
        double xmin, xmax;   // stored
    } steps[] = {
        {{Put{x, "0.5"}, Put{x + 1, "0.545"}, Put{kParamResolution, "1000"}, Put{kParamA, "1"}},
         "xmax - xmin must be >= 0.05",
         -2.5,
         2.5},
        {{Put{x + 1, "0.55"}, Put{x + 2, "1"}, Put{x + 3, "1.01"}},
         "ymax - ymin must be >= 0.05",
         0.5,
         0.55},
        {{Put{x + 3, "2"}}, "", 0.5, 0.55},
    };
    for (const auto& step : steps) {
        type_in(f, step.typed);
        const app::FormOutcome out = form.ok(s, f);
        EXPECT_EQ(out.close, *step.refusal == '\0') << step.refusal;
        EXPECT_EQ(out.messages.empty() ? "" : out.messages[0].text, step.refusal);
        EXPECT_EQ(std::tuple(s.res, s.p[kGanymede].a, s.mm[kGanymede].xmin, s.mm[kGanymede].xmax),
                  std::tuple(1000, *step.refusal ? -0.967 : 1.0, step.xmin, step.xmax));
    }
    s = state_of(kGanymede);
    f = form.open(s, s);
    type_in(f, {Put{kParamResolution, "900"}, Put{kParamSpeed, "10"}, Put{kParamRotX, "45"},
                Put{x + 1, f.text_of(x)}}); // too narrow: stays open
    EXPECT_FALSE(form.ok(s, f).close);
    form.cancel(s, {});
    EXPECT_EQ(std::tuple(s.type, s.res, s.p[kGanymede].a, s.speed, s.rot[kGanymede].x),
              std::tuple(kGanymede, 600, -0.967, 0, 45.0));
}

// Only the fields the type uses are enabled; a type without special fields
// blanks their labels.
TEST(ParamForm, EnablingAndSpecialLabelsFollowTheType) {
    ParamForm form = quiet_form();
    const Fields f = form.open(state_of(kTypeHenonPhase), AppState{});
    for (const auto& [id, on] :
         {std::pair{kParamSp0, true}, std::pair{kParamSp1, false}, std::pair{kParamA, false},
          std::pair{kParamSpeed, false}, std::pair{kParamXmin + 3, true}})
        EXPECT_EQ(f.enabled.at(id), on) << id;
    EXPECT_EQ(f.text_of(kParamSp0), "65.000000000000000");
    EXPECT_TRUE(f.is_checked(kParamOrder));
    const Fields g = form.open(state_of(kGanymede), AppState{});
    EXPECT_EQ(g.text_of(kParamSp0Label), kBlankLabel);
    EXPECT_FALSE(g.enabled.at(kParamSp0));
    EXPECT_TRUE(g.enabled.at(kParamRotX));
}

// What an OK of a random-capable type says about the new set's exponent;
// types without random parameters are not measured.
TEST(ParamForm, TheExponentOfTheNewSetDecidesTheMessage) {
    const struct {
        int type;
        std::optional<ChaosMeasure> measure;
        int debug;
        std::string text; // "" when no message
    } cases[] = {
        {kGanymede, ChaosMeasure{0.1234567, 1.0}, 0,
         "Lyapunov exponent: 0.123457\n\nThe attractor may not be chaotic\n   enough to produce "
         "an appealing\n   image."},
        {kGanymede, ChaosMeasure{std::nan(""), 0.0}, 0, "Lyapunov exponent: "},
        {kGanymede, ChaosMeasure{0.5, 1.25}, 0, ""},
        {kGanymede, ChaosMeasure{0.5, 1.25}, 1,
         "Lyapunov exponent: 0.500000000000000\nfractal dimension: 1.250000000000000"},
        {kGanymede, std::nullopt, 1, ""}, // a type that cannot be measured
        {kTypeHenonPhase, ChaosMeasure{}, 1, ""},
    };
    for (const auto& c : cases) {
        double seen = 0; // the a of the set measured: the new one
        ParamForm form([&](State& st) {
            seen = st.p[kGanymede].a;
            return c.measure;
        });
        Instance s = state_of(c.type);
        s.debugflag = c.debug;
        const app::FormOutcome out = ok_with(form, s, {Put{kParamA, "0.25"}});
        EXPECT_TRUE(out.close);
        EXPECT_EQ(seen, c.type == kGanymede ? 0.25 : 0.0);
        ASSERT_EQ(out.messages.size(), c.text.empty() ? 0u : 1u) << c.text;
        if (!c.text.empty()) {
            EXPECT_EQ(out.messages[0].text.substr(0, c.text.size()), c.text);
            EXPECT_EQ(out.messages[0].kind,
                      c.debug ? Message::Kind::Inform : Message::Kind::WarnUnowned);
        }
    }
}

} // namespace
} // namespace morv::test
