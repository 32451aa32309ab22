#include "analysis/random.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/menu.h"
#include "app/messages.h"
#include "color/filters.h"
#include "core/driver.h"
#include "fakes.h"
#include "support/render.h"

#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

constexpr int kAllCommands[] = {100, 105, 110, 115, 120, 125, 130, 135, 140, 145, 150, 155,
                                160, 165, 170, 175, 180, 185, 190, 192, 194, 196, 198, 199};
constexpr int kFilters[] = {kCmdNormalize, kCmdEqualize, kCmdLog, kCmdLogSquared};

ScriptedDialogs::Answer choose(int type) {
    return {kButton1, [type](Instance& s) { s.type = type; }};
}

// Render/Pause twice: paused again, with the menu set for the current state.
void pause_again(Harness& h) {
    h.key(kCmdRender);
    h.key(kCmdRender);
}

// A paused hit-count image of the current size, ready for the filters.
void render_hit_count(Harness& h) {
    h.s.method[kTypeHenon] = kMethodHitCount;
    h.s.firstloop = 1;
    for (int i = 0; i < 3000; ++i)
        fractaldriver(h.s);
    pause_again(h);
}

TEST(Commands, EveryCommandButRenderIsIgnoredWhileRendering) {
    Harness h;
    h.s.type = kTypePgm; // 196 and 198 would otherwise act
    h.key(kCmdRender);
    h.s.firstloop = 0;
    for (int id : kAllCommands)
        if (id != kCmdRender) dispatch(h.s, h.ui, id);
    EXPECT_TRUE(h.prompts.shown.empty());
    EXPECT_TRUE(h.prompts.file_dialogs.empty());
    EXPECT_TRUE(h.dialogs.opened.empty());
    EXPECT_FALSE(h.host.quit_called);
    EXPECT_EQ(h.s.firstloop, 0);
    EXPECT_EQ(h.s.checkedpalette, kCmdPalette1);
    h.key(kCmdRender);
    EXPECT_EQ(h.s.okrun, 0);
}

TEST(Commands, RenderSetsTheMenuForEachState) {
    Harness h;
    h.key(kCmdRender);
    for (int id : kAllCommands)
        if (find_item(id)) {
            EXPECT_EQ(is_grayed(h.s, id), id != kCmdRender) << id;
        }
    EXPECT_EQ(h.host.cursors.back(), Cursor::Hourglass);
    h.s.type = kTypePickover; // random parameters, not hit count
    h.key(kCmdRender);
    EXPECT_FALSE(is_grayed(h.s, kCmdRandom));
    EXPECT_FALSE(is_grayed(h.s, kCmdColoring));
    for (int id : kFilters)
        EXPECT_TRUE(is_grayed(h.s, id));
    EXPECT_EQ(h.host.cursors.back(), Cursor::Cross);
    h.s.type = kTypeSierpinski;
    h.s.method[kTypeSierpinski] = kMethodHitCount;
    pause_again(h);
    EXPECT_TRUE(is_grayed(h.s, kCmdRandom));
    for (int id : kFilters)
        EXPECT_TRUE(is_grayed(h.s, id)) << "no hit count of this size yet";
    h.s.hcres = h.s.res;
    pause_again(h);
    for (int id : kFilters)
        EXPECT_FALSE(is_grayed(h.s, id));
}

TEST(Commands, GrayedItemsKeysDeliverNothingButKeyOnlyCommandsArrive) {
    Harness h; // Henon: no random parameters, coloured by speed
    h.key(kCmdRandom);
    h.key(kCmdNormalize);
    EXPECT_TRUE(h.prompts.shown.empty());
    h.key(kCmdDebug);
    h.key(kCmdDebug);
    ASSERT_EQ(h.prompts.shown.size(), 2u); // on, then off
    EXPECT_NE(h.prompts.shown[0].text, h.prompts.shown[1].text);
}

TEST(Commands, RandomSearchNeverRunsForATypeWithoutIt) {
    Harness h;
    h.s.type = kTypePickover;
    pause_again(h);        // paused with F5 enabled
    h.s.type = kTypeHenon; // changed without a pause since: F5 still enabled
    const PARAM before = h.s.p[kTypeHenon];
    h.key(kCmdRandom);
    EXPECT_TRUE(h.prompts.shown.empty());
    EXPECT_EQ(h.s.p[kTypeHenon].a, before.a);
    EXPECT_TRUE(h.s.posted.empty());
}

// The Spirals take their first candidate, so a set is always found.
TEST(Commands, RandomSearchAdvisesOnceAndADeclinedSetChangesNothing) {
    Harness h;
    h.s.type = kTypeSpirals;
    pause_again(h);
    h.key(kCmdRandom);
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].caption, "Random Parameters Advisory");
    EXPECT_EQ(h.s.okrun, 1);
    EXPECT_EQ(h.s.firstloop, 1);
    h.key(kCmdRender);
    h.s.debugflag = 1;
    h.s.chaos = ChaosMeasure{0.75, 1.25}; // the Spirals measure nothing: the last one is shown
    const PARAM before = h.s.p[kTypeSpirals];
    h.key(kCmdRandom); // no second advisory; the set is declined
    ASSERT_EQ(h.prompts.shown.size(), 2u);
    EXPECT_EQ(h.prompts.shown[1].caption, "Accept Parameters?");
    EXPECT_NE(h.prompts.shown[1].text.find("exponent: 0.750000000000000\nfractal dimension: 1.25"),
              std::string::npos);
    EXPECT_EQ(h.s.p[kTypeSpirals].a, before.a);
    EXPECT_EQ(h.s.okrun, 0);
    EXPECT_TRUE(h.s.posted.empty());
}

TEST(Commands, FilterAdvisoriesAreShownOnceAndBothLogCommandsShareOne) {
    Harness h;
    render_hit_count(h);
    for (int id :
         {kCmdNormalize, kCmdNormalize, kCmdEqualize, kCmdEqualize, kCmdLog, kCmdLogSquared})
        h.key(id);
    ASSERT_EQ(h.prompts.shown.size(), 3u);
    EXPECT_EQ(h.prompts.shown[0].caption, kNormalizeAdvisoryCaption);
    EXPECT_EQ(h.prompts.shown[1].caption, kEqualizeAdvisoryCaption);
    EXPECT_EQ(h.prompts.shown[2].caption, kLogAdvisoryCaption);
}

TEST(Commands, FiltersNeedAHitCountOfTheCurrentSize) {
    Harness h;
    render_hit_count(h);
    set_resolution(h.s, 300); // as after a new resolution, before the next start
    const std::uint64_t before = canvas_checksum(h.s);
    for (int id : kFilters)
        h.key(id);
    EXPECT_TRUE(h.prompts.shown.empty());
    EXPECT_EQ(canvas_checksum(h.s), before);
    EXPECT_EQ(h.s.nadvisory, 1);
}

TEST(Commands, PalettesClearHelpAboutOptionsAndExit) {
    Harness h;
    render(h.s, 2000);
    h.s.firstloop = 0;
    h.key(kCmdPalette2);
    EXPECT_TRUE(is_checked(h.s, kCmdPalette2));
    EXPECT_FALSE(is_checked(h.s, kCmdPalette1));
    EXPECT_EQ(h.s.palette, defpal2);
    EXPECT_EQ(h.s.firstloop, 1);
    h.key(kCmdPalette1);
    EXPECT_EQ(h.s.palette, defpal1);
    h.key(kCmdClear); // black, not the background colour
    EXPECT_EQ(h.s.canvas.get_pixel(0, 0), 0u);
    EXPECT_EQ(h.s.window.get_pixel(699, 499), 0u);
    h.key(kCmdHelp);
    h.key(kCmdAbout);
    h.key(kCmdOptions);
    EXPECT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.s.aboutflag, 1);
    EXPECT_EQ(h.dialogs.opened, (std::vector<int>{kDlgAbout, kDlgOptionsChart}));
    h.key(kCmdExit);
    EXPECT_TRUE(h.host.quit_called);
}

TEST(Commands, ParametersRestartOnlyForWhatShapesTheImage) {
    Harness h;
    h.s.firstloop = 0;
    h.dialogs.script[kDlgParameters] = {{1, [](Instance& s) { s.speed = 9; }},
                                        {2, [](Instance& s) { s.p[0].a = 5; }},
                                        {1, [](Instance& s) { s.rotationorder = 3; }}};
    h.key(kCmdParameters);
    EXPECT_EQ(h.s.firstloop, 0);
    h.key(kCmdParameters); // Cancel
    EXPECT_EQ(h.s.firstloop, 0);
    h.key(kCmdParameters);
    EXPECT_EQ(h.s.firstloop, 1);

    h.s.firstloop = 0;
    render(h.s, 100);
    h.dialogs.script[kDlgParameters] = {{1, [](Instance& s) { s.res = 250; }}};
    h.key(kCmdParameters);
    EXPECT_EQ(h.s.firstloop, 1);
    EXPECT_EQ(h.s.dres, 250.0);
    EXPECT_EQ(canvas_checksum(h.s), canvas_checksum(make_state(0, 250)));

    // Without memory for the new canvas the old resolution stays, with the message.
    h.s.platform.max_alloc_bytes = 250 * 250 * 4;
    h.dialogs.script[kDlgParameters] = {{1, [](Instance& s) { s.res = 4000; }}};
    h.key(kCmdParameters);
    EXPECT_EQ(h.s.res, 250);
    EXPECT_EQ(h.s.canvas.width(), 250);
    ASSERT_FALSE(h.prompts.shown.empty());
    EXPECT_EQ(h.prompts.shown.back().caption, "Memory allocation problem");
}

TEST(Commands, ColoringAndBackgroundRestartOnAChange) {
    Harness h;
    h.s.type = kTypeSierpinski; // colours itself: no dialog
    h.key(kCmdColoring);
    EXPECT_TRUE(h.dialogs.opened.empty());
    h.s.type = kTypeIkeda;
    h.s.firstloop = 0;
    h.dialogs.script[kDlgColoring] = {{1, {}}, {1, [](Instance& s) { s.method[1] = 3; }}};
    h.dialogs.script[kDlgBackground] = {{1, {}}, {1, [](Instance& s) { s.back = 7; }}};
    for (int id : {kCmdColoring, kCmdBackground}) {
        h.key(id);
        EXPECT_EQ(h.s.firstloop, 0) << id;
        h.key(id);
        EXPECT_EQ(h.s.firstloop, 1) << id;
        h.s.firstloop = 0;
    }
}

TEST(TypeCommand, UnchangedTypeKeepsTheImageAndCancelChangesNothing) {
    Harness h;
    h.s.firstloop = 0;
    h.dialogs.script[kDlgType] = {choose(0), {kButton2}, choose(4)};
    h.key(kCmdType);
    EXPECT_EQ(h.s.firstloop, 0);
    EXPECT_EQ(h.dialogs.opened, std::vector<int>{kDlgType});
    h.key(kCmdType);
    EXPECT_EQ(h.s.firstloop, 0);
    h.key(kCmdType);
    EXPECT_EQ(h.s.type, 4);
    EXPECT_EQ(h.s.firstloop, 1);
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
        h.s.firstloop = 0;
        h.dialogs.script[kDlgType] = {choose(c.type), choose(c.type)};
        h.dialogs.script[c.dialog] = {{kButton2}, {kButton1}};
        h.key(kCmdType);
        EXPECT_EQ(h.s.*c.flag, 1) << c.type;
        EXPECT_EQ(h.s.firstloop, 1) << c.type;
        h.key(kCmdType);
        EXPECT_EQ(h.s.*c.flag, 0) << c.type;
    }
    EXPECT_EQ(h.s.method[kTypeBasin], kMethodSelf); // "Escape Time"
}

TEST(TypeCommand, EscapeTimeGraysColoringAtTheNextPause) {
    Harness h;
    h.s.type = kTypeBasin;
    pause_again(h);
    ASSERT_FALSE(is_grayed(h.s, kCmdColoring));
    h.dialogs.script[kDlgType] = {choose(kTypeBasin)};
    h.dialogs.script[kDlgBasin] = {{kButton1}};
    h.key(kCmdType);
    EXPECT_FALSE(is_grayed(h.s, kCmdColoring));
    h.key(kCmdColoring); // the handler itself refuses method 0
    EXPECT_EQ(h.dialogs.opened.back(), kDlgBasin);
    pause_again(h);
    EXPECT_TRUE(is_grayed(h.s, kCmdColoring));
}

TEST(TypeCommand, SierpinskiAndIfsActOnlyOnOk) {
    Harness h;
    h.s.method[kTypeSierpinski] = kMethodHitCount;
    h.dialogs.script[kDlgType] = {choose(kTypeSierpinski), choose(kTypeSierpinski),
                                  choose(kTypeIfs)};
    h.dialogs.script[kDlgSierpinski] = {{kButton2, [](Instance& s) { s.scmode = 0; }}, {kButton1}};
    h.key(kCmdType);
    EXPECT_EQ(h.s.method[kTypeSierpinski], kMethodHitCount);
    h.s.firstloop = 0;
    h.key(kCmdType);
    EXPECT_EQ(h.s.method[kTypeSierpinski], kMethodSelf);
    EXPECT_EQ(h.s.firstloop, 1);

    h.s.f[0][0] = 1.5;
    h.s.fp[0] = 50;
    h.dialogs.script[kDlgFern] = {{kButton1, [](Instance& s) { s.ifscmode = s.frestore = 1; }}};
    h.key(kCmdType);
    EXPECT_EQ(h.s.method[kTypeIfs], kMethodHitCount);
    EXPECT_EQ(h.s.f, fdef);
    EXPECT_EQ(h.s.fp, fpdef);
    EXPECT_EQ(h.s.frestore, 0);
}

TEST(TypeCommand, GingerbreadMenOpenBothPgmDialogsAndTheirKeysNeedThem) {
    Harness h;
    h.key(kCmdPgmFormula);
    h.key(kCmdPgmParameters);
    EXPECT_TRUE(h.dialogs.opened.empty());
    h.dialogs.script[kDlgType] = {choose(kTypePgm)};
    h.dialogs.script[kDlgPgmFormula] = {{kButton1, [](Instance& s) { s.pgmindex = 2; }},
                                        {kButton1}};
    h.dialogs.script[kDlgPgmParameters] = {{kButton1, [](Instance& s) {
                                                s.pgmscale = 3;
                                                s.pgmx0[2] = 9;
                                                s.prestore = 1;
                                            }}};
    h.key(kCmdType); // through the posted command
    EXPECT_EQ(h.dialogs.opened, (std::vector<int>{kDlgType, kDlgPgmFormula, kDlgPgmParameters}));
    EXPECT_EQ(h.s.pgmscale, kDefaultPgmScale);
    EXPECT_EQ(h.s.pgmx0[2], dpgmx0[2]);
    EXPECT_EQ(h.s.prestore, 0);
    h.s.firstloop = 0;
    h.key(kCmdPgmFormula); // same formula: the image stays
    EXPECT_EQ(h.s.firstloop, 0);
    EXPECT_EQ(h.dialogs.opened.back(), kDlgPgmParameters);
}

} // namespace
} // namespace morv::test
