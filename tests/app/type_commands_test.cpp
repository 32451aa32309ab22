#include "app/command_ids.h"
#include "app/commands.h"
#include "app/menu.h"
#include "fakes.h"

#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

ScriptedDialogs::Answer choose(int type) {
    return {kButton1, [type](State& s) { s.type = type; }};
}

TEST(TypeCommand, UnchangedTypeKeepsTheImageAndCancelChangesNothing) {
    Harness h;
    h.s.firstloop = 0;
    h.dialogs.script[kDlgType] = {choose(0), {kButton2}};
    h.key(kCmdType);
    EXPECT_EQ(h.s.firstloop, 0);
    EXPECT_EQ(h.dialogs.opened, std::vector<int>{kDlgType});
    h.key(kCmdType);
    EXPECT_EQ(h.s.firstloop, 0);
    h.dialogs.script[kDlgType] = {choose(4)};
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
    EXPECT_EQ(h.s.method[kTypeBasin], 0); // "Escape Time"
}

TEST(TypeCommand, EscapeTimeGraysColoringAtTheNextPause) {
    Harness h;
    h.s.type = kTypeBasin;
    h.key(kCmdRender);
    h.key(kCmdRender);
    ASSERT_FALSE(is_grayed(h.s, kCmdColoring));
    h.dialogs.script[kDlgType] = {choose(kTypeBasin)};
    h.dialogs.script[kDlgBasin] = {{kButton1}};
    h.key(kCmdType);
    EXPECT_FALSE(is_grayed(h.s, kCmdColoring));
    h.key(kCmdColoring); // the handler itself refuses method 0
    EXPECT_EQ(h.dialogs.opened.back(), kDlgBasin);
    h.key(kCmdRender);
    h.key(kCmdRender);
    EXPECT_TRUE(is_grayed(h.s, kCmdColoring));
}

TEST(TypeCommand, SierpinskiAndIfsActOnlyOnOk) {
    Harness h;
    h.s.method[kTypeSierpinski] = 3;
    h.dialogs.script[kDlgType] = {choose(kTypeSierpinski), choose(kTypeSierpinski),
                                  choose(kTypeIfs)};
    h.dialogs.script[kDlgSierpinski] = {{kButton2, [](State& s) { s.scmode = 0; }}, {kButton1}};
    h.key(kCmdType);
    EXPECT_EQ(h.s.method[kTypeSierpinski], 3);
    h.s.firstloop = 0;
    h.key(kCmdType);
    EXPECT_EQ(h.s.method[kTypeSierpinski], 0);
    EXPECT_EQ(h.s.firstloop, 1);

    h.s.f[0][0] = 1.5;
    h.s.fp[0] = 50;
    h.dialogs.script[kDlgFern] = {{kButton1, [](State& s) {
                                       s.ifscmode = 1;
                                       s.frestore = 1;
                                   }}};
    h.key(kCmdType);
    EXPECT_EQ(h.s.method[kTypeIfs], 3);
    EXPECT_EQ(h.s.f, fdef);
    EXPECT_EQ(h.s.fp, fpdef);
    EXPECT_EQ(h.s.frestore, 0);
}

TEST(TypeCommand, StormJuliaAndVolterraLotkaFollowUps) {
    Harness h;
    h.s.stormflag = 0;
    h.dialogs.script[kDlgType] = {choose(kTypeStormJulia), choose(kTypeVolterraLotka)};
    h.key(kCmdType);
    EXPECT_EQ(h.s.stormflag, 1);
    h.s.firstloop = 0;
    h.key(kCmdType);
    EXPECT_EQ(h.dialogs.opened.back(), kDlgVolterraLotka);
    EXPECT_EQ(h.s.firstloop, 1); // the type changed; the dialog itself decides the rest
}

TEST(TypeCommand, GingerbreadMenOpenBothPgmDialogsThroughThePostedCommand) {
    Harness h;
    h.dialogs.script[kDlgType] = {choose(kTypePgm)};
    h.dialogs.script[kDlgPgmFormula] = {{kButton1, [](State& s) { s.pgmindex = 2; }}};
    h.dialogs.script[kDlgPgmParameters] = {{kButton1, [](State& s) {
                                                s.pgmscale = 3;
                                                s.pgmx0[2] = 9;
                                                s.prestore = 1;
                                            }}};
    h.key(kCmdType);
    EXPECT_EQ(h.dialogs.opened, (std::vector<int>{kDlgType, kDlgPgmFormula, kDlgPgmParameters}));
    EXPECT_EQ(h.s.pgmscale, kDefaultPgmScale);
    EXPECT_EQ(h.s.pgmx0[2], dpgmx0[2]);
    EXPECT_EQ(h.s.prestore, 0);
}

TEST(TypeCommand, PgmKeysNeedTheGingerbreadMen) {
    Harness h;
    h.key(kCmdPgmFormula);
    h.key(kCmdPgmParameters);
    EXPECT_TRUE(h.dialogs.opened.empty());
    h.s.type = kTypePgm;
    h.s.firstloop = 0;
    h.dialogs.script[kDlgPgmFormula] = {{kButton1, [](State& s) { s.pgmindex = 7; }}};
    h.key(kCmdPgmFormula); // same formula: the image stays
    EXPECT_EQ(h.s.firstloop, 0);
    h.key(kCmdPgmParameters); // Cancel
    EXPECT_EQ(h.dialogs.opened,
              (std::vector<int>{kDlgPgmFormula, kDlgPgmParameters, kDlgPgmParameters}));
}

} // namespace
} // namespace morv::test
