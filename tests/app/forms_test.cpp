#include "app/app_state.h"
#include "app/choice_boxes.h"
#include "app/command_ids.h"
#include "app/forms/background_form.h"
#include "app/forms/color_form.h"
#include "app/forms/forms.h"
#include "app/forms/ifs_form.h"
#include "app/forms/options_chart.h"
#include "app/forms/pgm_form.h"
#include "app/forms/sierpinski_form.h"
#include "app/forms/vl_form.h"
#include "app/menu.h"
#include "app/type_form.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace morv::test {
namespace {

using namespace morv::app;

void choose(Fields& f, int radio) {
    f.checked.clear();
    f.checked[radio] = true;
}

// Every template names each control once and puts it in an existing group.
TEST(Forms, TemplatesAreConsistent) {
    for (int id : form_dialog_ids()) {
        const auto form = make_form(id);
        ASSERT_NE(form, nullptr) << id;
        const DialogSpec& description = form->description();
        EXPECT_EQ(description.id, id);
        std::set<int> ids, groups;
        for (const Control& c : description.controls) {
            if (c.id != kNoId) {
                EXPECT_TRUE(ids.insert(c.id).second) << id << ": " << c.id;
            }
            if (c.kind == ControlKind::Group) groups.insert(c.id);
            EXPECT_TRUE(c.id != 0 && c.id != 1 && c.id != 2) << id; // 1 and 2: the buttons
        }
        for (const Control& c : description.controls) {
            if (c.parent != 0) {
                EXPECT_TRUE(groups.count(c.parent)) << id << ": " << c.id;
            }
        }
    }
    EXPECT_EQ(make_form(kDlgOptionsChart), nullptr);
}

// OK takes the first checked type, none checked keeps the type. Types 0..25
// fill the first box, the rest the second, each box in two columns with the
// first half of its types on the left.
TEST(TypeForm, OkTakesTheFirstCheckedAndTypesFillTwoBoxesOfTwoColumns) {
    Instance s;
    s.type = 12;
    TypeForm form;
    Fields f = form.open(s);
    EXPECT_EQ(f.first_checked(kFirstTypeRadio, NTYPES), 12);
    EXPECT_EQ(std::count_if(f.checked.begin(), f.checked.end(), [](auto& c) { return c.second; }),
              1);
    f.checked.clear();
    form.ok(s, f);
    EXPECT_EQ(s.type, 12);
    f.checked[kFirstTypeRadio + 37] = f.checked[kFirstTypeRadio + 0] = true;
    form.ok(s, f);
    EXPECT_EQ(s.type, 0);

    std::map<int, Control> radio;
    for (const Control& c : form.description().controls)
        radio.emplace(c.id - kFirstTypeRadio, c);
    const struct {
        int type, box, column, row;
    } cases[] = {{12, kTypeGroupId, 0, 12},
                 {13, kTypeGroupId, 1, 0},
                 {26, kMoreTypesGroupId, 0, 0},
                 {37, kMoreTypesGroupId, 1, 5}};
    for (const auto& c : cases) {
        const Control& r = radio.at(c.type);
        EXPECT_EQ((std::array{r.parent, r.column, r.row}), (std::array{c.box, c.column, c.row}))
            << c.type;
    }
}

// Every command is reached by at most one item and every key means one command.
TEST(Menu, IdsAndKeysAreUnique) {
    std::set<int> ids;
    std::set<std::string_view> keys;
    auto add = [&](int id, std::string_view key) {
        EXPECT_TRUE(id >= kFirstCommand && id <= kLastCommand) << id;
        EXPECT_TRUE(ids.insert(id).second) << id;
        if (!key.empty()) {
            EXPECT_TRUE(keys.insert(key).second) << key;
        }
    };
    for (const Popup& p : main_menu()) {
        for (const MenuEntry& e : p.entries) {
            if (e.kind == MenuEntry::Item) add(e.id, e.key);
            for (const MenuEntry& c : e.children)
                add(c.id, c.key);
        }
    }
    for (const KeyOnly& k : key_only_commands())
        add(k.id, k.key);
    EXPECT_EQ(ids.size(), 24u);
}

// The chart's names lose their markers, which become its two flags.
TEST(OptionsChart, MarkersBecomeFlags) {
    for (const OptionsChartRow& r : options_chart()) {
        const std::string_view name = catalogue[static_cast<std::size_t>(r.type)].name;
        EXPECT_EQ(name.substr(0, r.name.size()), r.name);
        EXPECT_TRUE(r.name.find_first_of("+$") == std::string_view::npos) << r.name;
        EXPECT_NE(r.name.back(), ' ') << r.name;
        EXPECT_EQ(r.changeable, name.find('+') != std::string_view::npos) << name;
        EXPECT_EQ(r.random,
                  (catalogue[static_cast<std::size_t>(r.type)].poptions & kOptRandom) != 0);
    }
    EXPECT_EQ(options_chart()[9].name, "IFS  ( Ferns and More )"); // inner spaces stay
}

// Colour components: clamped to 0..255, a non-number reads as 0; Cancel keeps
// the old colour.
TEST(ColourForms, ComponentsAreClampedAndCancelKeepsTheColour) {
    Instance s;
    BackgroundForm back;
    Fields f = back.open(s);
    f.text[kBackRed] = "0";
    back.cancel(s, f);
    EXPECT_EQ(s.back, rgb(255, 245, 230));
    press_ok(back, s, [](Fields& g) {
        g.text[kBackRed] = "300";
        g.text[kBackRed + 1] = "-5";
        g.text[kBackRed + 2] = "abc";
    });
    EXPECT_EQ(s.back, rgb(255, 0, 0));
    SierpinskiForm sierpinski;
    press_ok(sierpinski, s, [](Fields& g) {
        choose(g, kSierpinskiShape + 5);
        g.checked[kSierpinskiColoring + 1] = true;
        g.text[kSierpinskiRed] = "999";
    });
    EXPECT_EQ(s.smode, 5);
    EXPECT_EQ(s.scmode, 1);
    EXPECT_EQ(s.fore, rgb(255, 128, 48));
}

TEST(SierpinskiForm, ModesOutOfRangeCheckNothingAndStayUnlessChosen) {
    Instance s;
    s.smode = 15; // 670 + 15 is a colour field's id
    SierpinskiForm form;
    Fields f = form.open(s);
    EXPECT_EQ(f.first_checked(kSierpinskiShape, 6), -1);
    EXPECT_FALSE(f.is_checked(kSierpinskiRed));
    form.ok(s, f);
    EXPECT_EQ(s.smode, 15);
}

TEST(VlForm, NumbersAreClampedAndOnlyANewColouringRerenders) {
    Instance s;
    s.firstloop = 0;
    VlForm form;
    press_ok(form, s, [](Fields& f) {
        f.text[kVlMaxiter] = "1";
        f.text[kVlRadius] = "0.001";
        f.text[kVlMaxsize] = "1000";
        f.text[kVlH] = "0.25";
        f.text[kVlH + 1] = "-3";
        f.checked[kVlShowOrbits] = true;
    });
    EXPECT_EQ(s.vlmaxiter, 2);
    EXPECT_EQ(s.vlradius, 0.01);
    EXPECT_EQ(s.vlmaxsize, 256.0);
    EXPECT_EQ(s.p[kTypeVolterraLotka].sp0, 0.25);
    EXPECT_EQ(s.p[kTypeVolterraLotka].sp1, 0.0);
    EXPECT_EQ(s.showorbits, 1);
    EXPECT_EQ(s.firstloop, 0);
    press_ok(form, s, [](Fields& f) {
        f.text[kVlMaxiter] = "5000";
        choose(f, kVlColoring + 2);
    });
    EXPECT_EQ(s.vlmaxiter, 1024);
    EXPECT_EQ(s.vlcoloring, 2);
    EXPECT_EQ(s.firstloop, 1);
}

TEST(PgmForms, OnlyAChangeRerendersAndScaleZeroIsRaisedToOne) {
    Instance s;
    s.firstloop = 0;
    s.prestore = 1;
    PgmFormulaForm formula;
    PgmParamsForm params;
    EXPECT_FALSE(params.open(s).is_checked(kPgmRestore));
    for (int k = 0; k < 8; ++k) { // every formula's default start point survives the text
        s.pgmindex = k;
        formula.ok(s, formula.open(s));
        params.ok(s, params.open(s));
        EXPECT_EQ(s.firstloop, 0) << k;
    }
    EXPECT_EQ(s.prestore, 0);
    press_ok(formula, s, [](Fields& f) { choose(f, kPgmFormula + 2); });
    EXPECT_EQ(s.pgmindex, 2);
    EXPECT_EQ(s.firstloop, 1);
    press_ok(params, s, [](Fields& f) {
        f.text[kPgmScale] = "0";
        f.text[kPgmY0] = "-20";
        f.checked[kPgmRestore] = true;
    });
    EXPECT_EQ(s.pgmscale, 1.0);
    EXPECT_EQ(s.pgmy0[2], -10.0);
    EXPECT_EQ(s.prestore, 1);
}

TEST(PgmForms, AFormulaIndexOutOfRangeTouchesNoStartPoint) {
    Instance s;
    s.pgmindex = 8;
    PgmParamsForm form;
    EXPECT_EQ(form.open(s).text_of(kPgmX0), "");
    press_ok(form, s, [](Fields& f) { f.text[kPgmX0] = "3"; });
    EXPECT_EQ(s.pgmx0, dpgmx0);
}

TEST(ColorForm, OnlyTheAllowedMethodsAndNoneCheckedKeepsTheMethod) {
    Instance s;
    s.type = kTypeIkeda; // speed points and hit count
    ColorForm form;
    const Fields f = form.open(s);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.enabled.at(kColorMethod + i), i == 0 || i == 2) << i;
    EXPECT_TRUE(f.is_checked(kColorMethod));
    press_ok(form, s, [](Fields& g) { choose(g, kColorMethod + 2); });
    EXPECT_EQ(s.method[kTypeIkeda], kMethodHitCount);
    press_ok(form, s, [](Fields& g) { g.checked.clear(); });
    EXPECT_EQ(s.method[kTypeIkeda], kMethodHitCount);
}

TEST(ColorForm, FirstOpeningShowsTheMiddleAndCancelKeepsTheSliderButNotTheWidth) {
    Instance s;
    ColorForm form;
    EXPECT_EQ(form.open(s).position.at(kColorWidthSlider), 1);
    form.slider_moved(s, kColorWidthSlider, 2);
    form.cancel(s, {});
    EXPECT_EQ(s.linewidth, 1);
    ColorForm again;
    const Fields f = again.open(s);
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
    EXPECT_TRUE(form.ok(s, form.open(s)).close);
    EXPECT_EQ(s.f, fdef);
    EXPECT_EQ(s.fp, fpdef);
    Fields f = form.open(s);
    EXPECT_EQ(f.text_of(kIfsCoefficient + 6 * 1 + 0), "0.84500000");
    f.text[kIfsCoefficient] = "3.5";
    f.text[kIfsCoefficient + 1] = "-4";
    for (int i = 0; i < 6; ++i)
        f.text[kIfsProbability + i] = i == 0 ? "150" : i == 1 ? "-50" : i == 2 ? "1" : "0";
    f.text[kIfsRed + 2] = "300";
    choose(f, kIfsColoring + 1);
    f.checked[kIfsRestore] = true;
    const app::Outcome refused = form.ok(s, f);
    EXPECT_FALSE(refused.close);
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_EQ(refused.messages[0].text, "Sum of p values must equal 100.");
    EXPECT_EQ(s.f[0][0], 2.0);
    EXPECT_EQ(s.f[0][1], -1.0);
    EXPECT_EQ((std::array{s.fp[0], s.fp[1], s.fp[2]}), (std::array{100, 0, 1}));
    Fields zeros = f; // six zeros are refused without being stored
    for (int i = 0; i < 6; ++i)
        zeros.text[kIfsProbability + i] = "0";
    EXPECT_FALSE(form.ok(s, zeros).close);
    EXPECT_EQ((std::array{s.fp[0], s.fp[1], s.fp[2]}), (std::array{100, 0, 1}));
    EXPECT_EQ(s.fore, rgb(0, 128, 48));
    EXPECT_EQ(s.frestore, 0);
    EXPECT_EQ(s.ifscmode, 0);
    f.text[kIfsProbability + 2] = "0";
    EXPECT_TRUE(form.ok(s, f).close);
    EXPECT_EQ(s.fore, rgb(0, 128, 255));
    EXPECT_EQ(s.frestore, 1);
    EXPECT_EQ(s.ifscmode, 1);
}

} // namespace
} // namespace morv::test
