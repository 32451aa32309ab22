// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/random.h"
#include "app/command_ids.h"
#include "app/forms/forms.h"
#include "app/messages.h"
#include "core/driver.h"
#include "fakes.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <tuple>

namespace morv::test {
namespace {

using namespace morv::app;

constexpr int kAllCommands[] = {100, 105, 110, 115, 120, 125, 130, 135, 140, 145, 150, 155,
                                160, 165, 170, 175, 180, 185, 190, 192, 194, 196, 198, 199};
constexpr int kFilters[] = {kCmdNormalize, kCmdEqualize, kCmdLog, kCmdLogSquared};

// The type dialog answered with `type` chosen.
void choose(Harness& h, int type) {
    h.on(kDlgType, [type](Instance& s) { s.type = type; });
}

// Render/Pause twice: paused again, with the menu set for the current state.
void pause_again(Harness& h) {
    h.keys({kCmdRender, kCmdRender});
}

void expect_filters_grayed(const Harness& h, bool grayed) {
    for (int id : kFilters)
        EXPECT_EQ(is_grayed(h.s, id), grayed) << id;
}

// A paused hit-count image of the current size, ready for the filters.
void render_hit_count(Harness& h) {
    h.s.method[kTypeHenon] = kMethodHitCount;
    h.s.fresh_image = true;
    for (int i = 0; i < 3000; ++i)
        render_step(h.s);
    pause_again(h);
}

TEST(Commands, WhileRenderingOnlyRenderActsAndEachPauseSetsTheMenu) {
    Harness h;
    h.s.type = kTypePgm; // 196 and 198 would otherwise act
    h.key(kCmdRender);
    h.s.fresh_image = false;
    EXPECT_EQ(h.host.cursors.back(), Cursor::Hourglass);
    for (int id : kAllCommands) {
        EXPECT_EQ(find_item(id) && is_grayed(h.s, id), find_item(id) && id != kCmdRender) << id;
        if (id != kCmdRender) dispatch(h.s, h.ui, id);
    }
    EXPECT_TRUE(h.prompts.shown.empty() && h.prompts.file_dialogs.empty() &&
                h.dialogs.opened.empty() && !h.host.quit_called);
    EXPECT_EQ(std::tuple(h.s.fresh_image, h.s.checkedpalette), std::tuple(0, kCmdPalette1));
    h.s.type = kTypePickover; // random parameters, not hit count
    h.key(kCmdRender);
    EXPECT_EQ(h.s.rendering, 0);
    EXPECT_EQ(h.host.cursors.back(), Cursor::Cross);
    EXPECT_FALSE(is_grayed(h.s, kCmdRandom) || is_grayed(h.s, kCmdColoring));
    expect_filters_grayed(h, true);
    h.s.type = kTypeSierpinski;
    h.s.method[kTypeSierpinski] = kMethodHitCount;
    pause_again(h);
    EXPECT_TRUE(is_grayed(h.s, kCmdRandom));
    expect_filters_grayed(h, true); // no hit count of this size yet
    h.s.hcres = h.s.res;
    pause_again(h);
    expect_filters_grayed(h, false);
}

// The menu item's state is renewed only at a pause: a type changed since
// never reaches the random search.
TEST(Commands, GrayedOrStaleCommandsDoNothingButKeyOnlyCommandsArrive) {
    Harness h; // Henon: no random parameters, coloured by speed
    h.keys({kCmdRandom, kCmdNormalize});
    EXPECT_TRUE(h.prompts.shown.empty());
    h.s.type = kTypePickover;
    pause_again(h);
    h.s.type = kTypeHenon;
    const TypeParams before = h.s.p[kTypeHenon];
    h.key(kCmdRandom);
    EXPECT_TRUE(h.prompts.shown.empty() && h.s.posted.empty());
    EXPECT_EQ(h.s.p[kTypeHenon].a, before.a);
    h.keys({kCmdDebug, kCmdDebug});
    ASSERT_EQ(h.prompts.shown.size(), 2u); // on, then off
    EXPECT_NE(h.prompts.shown[0].text, h.prompts.shown[1].text);
}

// The Spirals take their first candidate, so a set is always found.
TEST(Commands, RandomSearchAdvisesOnceAndADeclinedSetChangesNothing) {
    Harness h;
    h.s.type = kTypeSpirals;
    pause_again(h);
    h.key(kCmdRandom);
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].caption, "Random Parameters Advisory");
    EXPECT_EQ(std::tuple(h.s.rendering, h.s.fresh_image), std::tuple(1, 1));
    h.key(kCmdRender);
    h.s.debugflag = 1;
    h.s.chaos = ChaosMeasure{0.75, 1.25}; // the Spirals measure nothing: the last one is shown
    const TypeParams before = h.s.p[kTypeSpirals];
    h.key(kCmdRandom); // no second advisory; the set is declined
    ASSERT_EQ(h.prompts.shown.size(), 2u);
    EXPECT_EQ(h.prompts.shown[1].caption, "Accept Parameters?");
    EXPECT_NE(h.prompts.shown[1].text.find("exponent: 0.750000000000000\nfractal dimension: 1.25"),
              std::string::npos);
    EXPECT_EQ(h.s.p[kTypeSpirals].a, before.a);
    EXPECT_EQ(h.s.rendering, 0);
    EXPECT_TRUE(h.s.posted.empty());
}

// Each advisory once, both log commands sharing one; none of it on a hit
// count of another size.
TEST(Commands, FiltersAdviseOnceAndNeedAHitCountOfTheCurrentSize) {
    Harness h;
    render_hit_count(h);
    h.keys({kCmdNormalize, kCmdNormalize, kCmdEqualize, kCmdEqualize, kCmdLog, kCmdLogSquared});
    std::vector<std::string> captions;
    for (const Shown& b : h.prompts.shown)
        captions.push_back(b.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{kNormalizeAdvisoryCaption,
                                                  kEqualizeAdvisoryCaption, kLogAdvisoryCaption}));
    // C paints the plain logarithm, Alt+C its square: two pictures.
    h.key(kCmdLog);
    const std::uint64_t plain = canvas_checksum(h.s);
    h.key(kCmdLogSquared);
    EXPECT_NE(canvas_checksum(h.s), plain);
    Harness other;
    render_hit_count(other);
    set_resolution(other.s, 300); // as after a new resolution, before the next start
    const std::uint64_t before = canvas_checksum(other.s);
    for (int id : kFilters)
        other.key(id);
    EXPECT_TRUE(other.prompts.shown.empty());
    EXPECT_EQ(canvas_checksum(other.s), before);
    EXPECT_EQ(other.s.nadvisory, 1);
}

TEST(Commands, PalettesClearHelpAboutOptionsAndExit) {
    Harness h;
    render(h.s, 2000);
    h.s.fresh_image = false;
    h.key(kCmdPalette2);
    EXPECT_EQ(
        std::tuple(is_checked(h.s, kCmdPalette2), is_checked(h.s, kCmdPalette1), h.s.fresh_image),
        std::tuple(true, false, 1));
    EXPECT_EQ(h.s.palette, defpal2);
    h.key(kCmdPalette1);
    EXPECT_EQ(h.s.palette, defpal1);
    h.key(kCmdClear); // black, not the background colour
    EXPECT_EQ(h.s.canvas.get_pixel(0, 0) | h.s.window.get_pixel(699, 499), 0u);
    h.keys({kCmdHelp, kCmdAbout, kCmdOptions});
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    // The help text, then what the mouse does below it.
    EXPECT_TRUE(h.prompts.shown[0].text.starts_with(std::string(kHelpText) + "\n\nMouse: "));
    h.prompts.manual_opens = true;
    h.key(kCmdHelp);
    EXPECT_EQ(std::pair(h.prompts.shown.size(), h.prompts.manuals_opened),
              std::pair(std::size_t{1}, 2));
    EXPECT_EQ(h.s.aboutflag, 1);
    EXPECT_EQ(h.dialogs.opened, (std::vector<int>{kDlgAbout, kDlgOptionsChart}));
    h.key(kCmdExit);
    EXPECT_TRUE(h.host.quit_called);
}

// Exit with more than a few seconds of unsaved rendering asks first: Save
// saves as the save command does and ends only when saved, Discard ends,
// Cancel stays. Less work, or a saved picture, ends at once as always.
TEST(Commands, ExitAsksBeforeThrowingAwayUnsavedWork) {
    TempDir dir;
    constexpr long long kSecond = 1'000'000'000LL;
    const struct {
        long long unsaved;
        std::optional<SaveChoice> answer; // none: not asked
        std::optional<std::string> file;  // chosen in the save dialog
        bool quits, saved;
    } cases[] = {
        {2 * kSecond, std::nullopt, std::nullopt, true, false},
        {60 * kSecond, SaveChoice::Cancel, std::nullopt, false, false},
        {60 * kSecond, SaveChoice::Discard, std::nullopt, true, false},
        {60 * kSecond, SaveChoice::Save, dir.file("kept.png"), true, true},
        {60 * kSecond, SaveChoice::Save, std::nullopt, false, false}, // the dialog cancelled
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir.file("kept.png"));
        Harness h;
        h.s.fresh_image = false;
        h.s.unsaved_ns = c.unsaved;
        if (c.answer) h.prompts.save_answers = {*c.answer};
        h.prompts.files = {c.file};
        h.key(kCmdExit);
        EXPECT_EQ(h.host.quit_called, c.quits) << c.unsaved;
        ASSERT_EQ(!h.prompts.shown.empty(), c.answer.has_value());
        if (c.answer) {
            EXPECT_EQ(h.prompts.shown.front().text, kSaveBeforeQuitText);
        }
        EXPECT_EQ(std::filesystem::exists(dir.file("kept.png")), c.saved);
        EXPECT_EQ(h.s.unsaved_ns == 0, c.saved);
    }
}

// A change of speed alone, a cancelled dialog or an unchanged OK keeps the image.
TEST(Commands, DialogsRestartOnlyForWhatShapesTheImage) {
    Harness h;
    h.s.type = kTypeSierpinski; // colours itself: no dialog
    h.key(kCmdColoring);
    EXPECT_TRUE(h.dialogs.opened.empty());
    h.s.type = kTypeIkeda;
    const struct {
        int command, dialog, result;
        std::function<void(Instance&)> edit;
        int restarts;
    } steps[] = {
        {kCmdParameters, kDlgParameters, 1, [](Instance& s) { s.speed = 9; }, 0},
        {kCmdParameters, kDlgParameters, 2, [](Instance& s) { s.p[1].a = 5; }, 0},
        {kCmdParameters, kDlgParameters, 1, [](Instance& s) { s.p[1].a = 6; }, 1},
        {kCmdParameters, kDlgParameters, 1, [](Instance& s) { s.rotationorder = 3; }, 1},
        {kCmdColoring, kDlgColoring, 1, {}, 0},
        {kCmdColoring, kDlgColoring, 1, [](Instance& s) { s.method[1] = 3; }, 1},
        {kCmdBackground, kDlgBackground, 1, {}, 0},
        {kCmdBackground, kDlgBackground, 1, [](Instance& s) { s.back = 7; }, 1},
    };
    for (const auto& step : steps) {
        h.s.fresh_image = false;
        h.dialogs.script[step.dialog].push_back({step.result, step.edit});
        h.key(step.command);
        EXPECT_EQ(h.s.fresh_image, step.restarts) << &step - steps;
    }
}

// A new resolution restarts on a new black canvas; without memory for it the
// old resolution stays, with the message.
TEST(Commands, NewResolutionGetsANewCanvasOrKeepsTheOld) {
    Harness h;
    render(h.s, 100);
    h.s.fresh_image = false;
    h.on(kDlgParameters, [](Instance& s) { s.res = 250; });
    h.key(kCmdParameters);
    EXPECT_EQ(std::tuple(h.s.fresh_image, h.s.dres), std::tuple(1, 250.0));
    EXPECT_EQ(canvas_checksum(h.s), canvas_checksum(make_state(0, 250)));
    h.s.platform.max_alloc_bytes = 250 * 250 * 4;
    h.on(kDlgParameters, [](Instance& s) { s.res = 4000; });
    h.key(kCmdParameters);
    EXPECT_EQ(std::tuple(h.s.res, h.s.canvas.width()), std::tuple(250, 250));
    ASSERT_FALSE(h.prompts.shown.empty());
    EXPECT_EQ(h.prompts.shown.back().caption, "Memory allocation problem");
}

TEST(TypeCommand, UnchangedTypeKeepsTheImageAndCancelChangesNothing) {
    Harness h;
    choose(h, 0);
    h.dialogs.script[kDlgType].push_back({kButton2});
    choose(h, 4);
    for (int restarts : {0, 0, 1}) {
        h.s.fresh_image = false;
        h.key(kCmdType);
        EXPECT_EQ(h.s.fresh_image, restarts);
    }
    EXPECT_EQ(h.s.type, 4);
    EXPECT_EQ(h.dialogs.opened, std::vector<int>(3, kDlgType));
}

TEST(TypeCommand, ChoiceBoxesSetTheirFlagsEvenForTheSameType) {
    Harness h;
    const struct {
        int type, dialog;
        int State::*flag;
    } cases[] = {{kTypeBifurcation, kDlgBifurcation, &State::oddflag},
                 {kTypeUnity, kDlgUnity, &State::unityflag},
                 {kTypeRossler, kDlgRossler, &State::rosslerflag},
                 {kTypeBasin, kDlgBasin, &State::basinflag}};
    for (const auto& c : cases) {
        h.s.type = c.type;
        h.s.fresh_image = false;
        choose(h, c.type);
        choose(h, c.type);
        h.dialogs.script[c.dialog] = {{kButton2}, {kButton1}};
        h.key(kCmdType);
        EXPECT_EQ(std::tuple(h.s.*c.flag, h.s.fresh_image), std::tuple(1, 1)) << c.type;
        h.key(kCmdType);
        EXPECT_EQ(h.s.*c.flag, 0) << c.type;
    }
    // "Escape Time" grays Coloring only at the next pause; the handler refuses it before.
    EXPECT_EQ(h.s.method[kTypeBasin], kMethodSelf);
    EXPECT_FALSE(is_grayed(h.s, kCmdColoring));
    h.key(kCmdColoring);
    EXPECT_EQ(h.dialogs.opened.back(), kDlgBasin);
    pause_again(h);
    EXPECT_TRUE(is_grayed(h.s, kCmdColoring));
}

TEST(TypeCommand, SierpinskiAndIfsActOnlyOnOk) {
    Harness h;
    h.s.method[kTypeSierpinski] = kMethodHitCount;
    for (int type : {kTypeSierpinski, kTypeSierpinski, kTypeIfs})
        choose(h, type);
    h.dialogs.script[kDlgSierpinski] = {{kButton2, [](Instance& s) { s.scmode = 0; }}, {kButton1}};
    h.key(kCmdType);
    EXPECT_EQ(h.s.method[kTypeSierpinski], kMethodHitCount);
    h.s.fresh_image = false;
    h.key(kCmdType);
    EXPECT_EQ(std::tuple(h.s.method[kTypeSierpinski], h.s.fresh_image), std::tuple(kMethodSelf, 1));

    h.s.f[0][0] = 1.5;
    h.s.fp[0] = 50;
    h.on(kDlgFern, [](Instance& s) { s.ifscmode = s.frestore = 1; });
    h.key(kCmdType);
    EXPECT_EQ(h.s.method[kTypeIfs], kMethodHitCount);
    EXPECT_EQ(std::tuple(h.s.f, h.s.fp, h.s.frestore), std::tuple(fdef, fpdef, 0));
}

TEST(TypeCommand, GingerbreadMenOpenBothPgmDialogsAndTheirKeysNeedThem) {
    Harness h;
    h.keys({kCmdPgmFormula, kCmdPgmParameters});
    EXPECT_TRUE(h.dialogs.opened.empty());
    choose(h, kTypePgm);
    h.on(kDlgPgmFormula, [](Instance& s) { s.pgmindex = 2; });
    h.on(kDlgPgmFormula);
    h.on(kDlgPgmParameters, [](Instance& s) {
        s.pgmscale = 3;
        s.pgmx0[2] = 9;
        s.prestore = 1;
    });
    h.key(kCmdType); // through the posted command
    EXPECT_EQ(h.dialogs.opened, (std::vector<int>{kDlgType, kDlgPgmFormula, kDlgPgmParameters}));
    EXPECT_EQ(std::tuple(h.s.pgmscale, h.s.pgmx0[2], h.s.prestore),
              std::tuple(kDefaultPgmScale, dpgmx0[2], 0));
    h.s.fresh_image = false;
    h.key(kCmdPgmFormula); // same formula: the image stays
    EXPECT_EQ(h.s.fresh_image, 0);
    EXPECT_EQ(h.dialogs.opened.back(), kDlgPgmParameters);
}

// Choosing each type opens only dialogs the desktop program can show (a form
// or a choice box); a type with a follow-up opens at least one.
TEST(CatalogueResolves, EveryFollowUpReachesAShowableDialog) {
    for (int t = 0; t < NTYPES; ++t) {
        Harness h;
        h.s.stormflag = 0;
        h.dialogs.script[kDlgType] = {{kButton1, [t](Instance& s) { s.type = t; }}};
        h.key(kCmdType);
        ASSERT_EQ(h.s.type, t);
        const std::vector<int> after(h.dialogs.opened.begin() + 1, h.dialogs.opened.end());
        for (int id : after)
            EXPECT_TRUE(make_form(id) != nullptr) << "type " << t << " opens dialog " << id;
        const FollowUp f = catalogue[t].follow_up;
        const bool opens = f != FollowUp::None && f != FollowUp::StormDefaults;
        EXPECT_EQ(!after.empty(), opens) << "type " << t;
        EXPECT_EQ(h.s.stormflag, f == FollowUp::StormDefaults ? 1 : 0) << "type " << t;
    }
}

// A type with a random scheme is offered the search and the search ends with
// parameters inside what the Parameters dialog accepts.
TEST(CatalogueResolves, EveryRandomSchemeFindsParameters) {
    for (int t = 0; t < NTYPES; ++t) {
        State s = make_state(t, 200, 7);
        const RandomScheme scheme = catalogue[t].random;
        ASSERT_EQ(random_search_offered(s), scheme != RandomScheme::None) << "type " << t;
        if (scheme == RandomScheme::None) continue;
        ASSERT_EQ(randomparams(s, ChaosMeasure{}).code, kRandomAccepted) << "type " << t;
        const TypeParams& p = s.p[t];
        if (scheme == RandomScheme::Pickover) {
            const auto& r = catalogue[t].abcdrange;
            for (double v : {p.a, p.b})
                EXPECT_TRUE(v >= r[0] && v <= r[1]) << "type " << t;
            for (double v : {p.c, p.d})
                EXPECT_TRUE(v >= r[2] && v <= r[3]) << "type " << t;
        } else {
            for (double v : {p.a, p.b, p.c, p.d, p.sp0})
                EXPECT_TRUE(v >= -2 && v <= 2) << "type " << t;
        }
    }
}

// Every type that offers speed colouring draws with it; a rule that reads z
// spreads the points over many palette entries, which a type moving in the
// plane only would not.
TEST(CatalogueResolves, EverySpeedRuleColoursTheImage) {
    for (int t = 0; t < NTYPES; ++t) {
        if ((catalogue[t].okmethod & okmethod_bit(kMethodSpeedPoints)) == 0) continue;
        State s = make_state(t, 200);
        s.method[t] = kMethodSpeedPoints;
        render(s, 20000);
        const std::set<std::uint32_t> colours(s.canvas.data(), s.canvas.data() + 200 * 200);
        const bool by_z = catalogue[t].speed != SpeedRule::Step;
        EXPECT_GE(colours.size(), by_z ? 16u : 2u) << "type " << t;
    }
}

} // namespace
} // namespace morv::test
