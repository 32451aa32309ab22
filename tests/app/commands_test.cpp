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

// A hit-count image of the current size, ready for the filters.
void render_hit_count(Harness& h) {
    h.s.method[0] = kMethodHitCount;
    h.s.firstloop = 1;
    for (int i = 0; i < 3000; ++i)
        fractaldriver(h.s);
    h.s.posted.clear();
}

TEST(Commands, EveryCommandButRenderIsIgnoredWhileRendering) {
    Harness h;
    h.s.type = kTypePgm; // 196 and 198 would otherwise act
    h.key(kCmdRender);
    ASSERT_EQ(h.s.okrun, 1);
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

    h.s.type = 5; // Pickover: random parameters, not hit count
    h.key(kCmdRender);
    EXPECT_FALSE(is_grayed(h.s, kCmdRandom));
    EXPECT_FALSE(is_grayed(h.s, kCmdColoring));
    for (int id : {170, 175, 180, 185})
        EXPECT_TRUE(is_grayed(h.s, id));
    EXPECT_EQ(h.host.cursors.back(), Cursor::Cross);

    h.s.type = kTypeSierpinski;
    h.s.method[kTypeSierpinski] = kMethodHitCount;
    h.key(kCmdRender);
    h.key(kCmdRender);
    EXPECT_TRUE(is_grayed(h.s, kCmdRandom));
    for (int id : {170, 175, 180, 185})
        EXPECT_FALSE(is_grayed(h.s, id));
    h.s.method[kTypeSierpinski] = kMethodSelf;
    h.key(kCmdRender);
    h.key(kCmdRender);
    EXPECT_TRUE(is_grayed(h.s, kCmdColoring));
}

TEST(Commands, GrayedItemsKeysDeliverNothing) {
    Harness h; // Henon: no random parameters, coloured by speed
    h.key(kCmdRandom);
    h.key(kCmdNormalize);
    EXPECT_TRUE(h.prompts.shown.empty());
    // Keys without a menu item always arrive.
    h.key(kCmdDebug);
    EXPECT_EQ(h.s.debugflag, 1);
}

TEST(Commands, RandomSearchNeverRunsForATypeWithoutIt) {
    Harness h;
    h.s.type = 5;
    h.key(kCmdRender);
    h.key(kCmdRender); // paused with F5 enabled
    h.s.type = 0;      // changed without a pause since: F5 still enabled
    const PARAM before = h.s.p[0];
    h.key(kCmdRandom);
    EXPECT_TRUE(h.prompts.shown.empty());
    EXPECT_EQ(h.s.p[0].a, before.a);
    EXPECT_TRUE(h.s.posted.empty());
}

TEST(Commands, DefaultPalettesMoveTheCheckMark) {
    Harness h;
    EXPECT_TRUE(is_checked(h.s, kCmdPalette1));
    h.s.firstloop = 0;
    h.key(kCmdPalette2);
    EXPECT_TRUE(is_checked(h.s, kCmdPalette2));
    EXPECT_FALSE(is_checked(h.s, kCmdPalette1));
    EXPECT_EQ(h.s.palette, defpal2);
    EXPECT_EQ(h.s.firstloop, 1);
    h.key(kCmdPalette1);
    EXPECT_TRUE(is_checked(h.s, kCmdPalette1));
    EXPECT_EQ(h.s.palette, defpal1);
}

TEST(Commands, FilterAdvisoriesAreShownOnceAndBothLogCommandsShareOne) {
    Harness h;
    render_hit_count(h);
    h.key(kCmdRender);
    h.key(kCmdRender);
    for (int id :
         {kCmdNormalize, kCmdNormalize, kCmdEqualize, kCmdEqualize, kCmdLog, kCmdLogSquared})
        h.key(id);
    ASSERT_EQ(h.prompts.shown.size(), 3u);
    EXPECT_EQ(h.prompts.shown[0].caption, kNormalizeAdvisoryCaption);
    EXPECT_EQ(h.prompts.shown[1].caption, kEqualizeAdvisoryCaption);
    EXPECT_EQ(h.prompts.shown[2].caption, kLogAdvisoryCaption);
    EXPECT_EQ(h.prompts.shown[2].text, kLogAdvisoryText);
    EXPECT_EQ(h.s.logsquare, 0);
}

TEST(Commands, FiltersNeedAHitCountOfTheCurrentSize) {
    Harness h;
    render_hit_count(h);
    h.key(kCmdRender);
    h.key(kCmdRender);
    set_resolution(h.s, 300); // as after a new resolution, before the next start
    const std::uint64_t before = canvas_checksum(h.s);
    for (int id : {kCmdNormalize, kCmdEqualize, kCmdLog, kCmdLogSquared})
        h.key(id);
    EXPECT_TRUE(h.prompts.shown.empty());
    EXPECT_EQ(canvas_checksum(h.s), before);
    EXPECT_EQ(h.s.nadvisory, 1);
}

TEST(Commands, ClearScreenBlacksWindowAndCanvas) {
    Harness h;
    render(h.s, 2000);
    h.s.firstloop = 0;
    h.key(kCmdClear);
    EXPECT_EQ(h.s.canvas.get_pixel(0, 0), 0u);
    EXPECT_EQ(h.s.window.get_pixel(699, 499), 0u);
    EXPECT_EQ(h.s.firstloop, 1);
}

TEST(Commands, ExitEndsTheProgramOnlyWhilePaused) {
    Harness h;
    h.key(kCmdRender);
    dispatch(h.s, h.ui, kCmdExit);
    EXPECT_FALSE(h.host.quit_called);
    h.key(kCmdRender);
    h.key(kCmdExit);
    EXPECT_TRUE(h.host.quit_called);
}

TEST(Commands, DebugModeTogglesWithItsMessage) {
    Harness h;
    h.key(kCmdDebug);
    h.key(kCmdDebug);
    ASSERT_EQ(h.prompts.shown.size(), 2u);
    EXPECT_EQ(h.prompts.shown[0].caption, "Debug Mode");
    EXPECT_EQ(h.prompts.shown[0].text, "Parameter display mode enabled.");
    EXPECT_EQ(h.prompts.shown[1].text, "Parameter display mode disabled.");
}

TEST(Commands, HelpAboutAndOptionsChart) {
    Harness h;
    h.key(kCmdHelp);
    h.key(kCmdAbout);
    h.key(kCmdOptions);
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].kind, Shown::Inform);
    EXPECT_EQ(h.prompts.shown[0].caption, "Morvane");
    EXPECT_EQ(h.s.aboutflag, 1);
    EXPECT_EQ(h.dialogs.opened, (std::vector<int>{kDlgAbout, kDlgOptionsChart}));
}

TEST(Commands, ParametersRestartOnlyForWhatShapesTheImage) {
    Harness h;
    h.s.firstloop = 0;
    h.dialogs.script[kDlgParameters] = {{1, [](State& s) { s.speed = 9; }},
                                        {2, [](State& s) { s.p[0].a = 5; }},
                                        {1, [](State& s) { s.rotationorder = 3; }}};
    h.key(kCmdParameters);
    EXPECT_EQ(h.s.firstloop, 0);
    h.key(kCmdParameters); // Cancel
    EXPECT_EQ(h.s.firstloop, 0);
    h.key(kCmdParameters);
    EXPECT_EQ(h.s.firstloop, 1);

    h.s.firstloop = 0;
    render(h.s, 100);
    h.dialogs.script[kDlgParameters] = {{1, [](State& s) { s.res = 250; }}};
    h.key(kCmdParameters);
    EXPECT_EQ(h.s.firstloop, 1);
    EXPECT_EQ(h.s.dres, 250.0);
    EXPECT_EQ(h.s.canvas.width(), 250);
    EXPECT_EQ(canvas_checksum(h.s), canvas_checksum(make_state(0, 250)));
}

TEST(Commands, ColoringAndBackgroundRestartOnAChange) {
    Harness h;
    h.s.type = kTypeSierpinski; // colours itself: no dialog
    h.key(kCmdColoring);
    EXPECT_TRUE(h.dialogs.opened.empty());
    h.s.type = 1;
    h.s.firstloop = 0;
    h.dialogs.script[kDlgColoring] = {{1, [](State& s) { s.method[1] = 3; }}};
    h.dialogs.script[kDlgBackground] = {{1, {}}, {1, [](State& s) { s.back = 7; }}};
    h.key(kCmdColoring);
    EXPECT_EQ(h.s.firstloop, 1);
    h.s.firstloop = 0;
    h.key(kCmdBackground);
    EXPECT_EQ(h.s.firstloop, 0);
    h.key(kCmdBackground);
    EXPECT_EQ(h.s.firstloop, 1);
}

} // namespace
} // namespace morv::test

namespace morv::test {
namespace {

using namespace morv::app;

// Spirals takes its first candidate without measuring it; any other type
// with the search does as well for these checks.
bool pick_random_type(State& s) {
    for (int t : {36, 26, 27, 29, 33, 34, 4, 5, 6}) {
        s.type = t;
        if (random_search_offered(s)) return true;
    }
    return false;
}

TEST(RandomCommand, AdvisoryOnceThenTheAcceptedSetRenders) {
    Harness h;
    if (!pick_random_type(h.s)) GTEST_SKIP() << "no type with random parameters in this build";
    h.key(kCmdRender);
    h.key(kCmdRender);
    h.key(kCmdRandom);
    ASSERT_GE(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].caption, "Random Parameters Advisory");
    if (h.prompts.shown.size() > 1) GTEST_SKIP() << "no set found with this clock";
    EXPECT_EQ(h.s.okrun, 1);
    EXPECT_EQ(h.s.firstloop, 1);
    h.key(kCmdRender);
    h.key(kCmdRandom);
    EXPECT_EQ(h.prompts.shown.size(), 1u);
}

TEST(RandomCommand, DeclinedSetInDebugModeChangesNothing) {
    Harness h;
    if (!pick_random_type(h.s)) GTEST_SKIP() << "no type with random parameters in this build";
    h.key(kCmdRender);
    h.key(kCmdRender);
    h.s.debugflag = 1;
    h.s.advisory = 0;
    const PARAM before = h.s.p[static_cast<std::size_t>(h.s.type)];
    h.key(kCmdRandom);
    ASSERT_FALSE(h.prompts.shown.empty());
    if (h.prompts.shown[0].caption != "Accept Parameters?") GTEST_SKIP() << "no set found";
    EXPECT_EQ(h.s.p[static_cast<std::size_t>(h.s.type)].a, before.a);
    EXPECT_EQ(h.s.okrun, 0);
    EXPECT_TRUE(h.s.posted.empty());
}

} // namespace
} // namespace morv::test
