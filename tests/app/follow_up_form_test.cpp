// The forms as the main window's commands run them: what the window does
// with each dialog's result.
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/forms/forms.h"
#include "app/forms/ifs_form.h"
#include "app/forms/pgm_form.h"
#include "app/forms/sierpinski_form.h"
#include "app/type_form.h"
#include "core/state.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace morv;
using namespace morv::app;

namespace {

using Edit = std::function<void(Fields&)>;

// Runs each dialog's form headlessly: the fields as opened, changed by the
// script's edit for that dialog, then OK (or Cancel when so scripted).
struct FormDialogs : Dialogs {
    std::map<int, Edit> edits;
    std::map<int, bool> cancel;
    int type_choice = -1;
    std::vector<int> opened;

    int run(int id, State& s) override {
        opened.push_back(id);
        if (id == kDlgType) {
            if (type_choice >= 0) s.type = type_choice;
            return kButton1;
        }
        const auto form = make_form(id, [](State&) { return ChaosMeasure{1.0, 1.0}; });
        if (!form) return kButton2;
        Fields f = form->open(s);
        if (edits.count(id)) edits[id](f);
        if (cancel[id]) {
            form->cancel(s, {});
            return kButton2;
        }
        return form->ok(s, f).close ? kButton1 : kButton2;
    }
};

struct Window {
    FormDialogs dialogs;
    test::ScriptedPrompts prompts;
    test::FakeHost host;
    Ui ui{prompts, dialogs, host};
    State s;
    Window() { s.firstloop = 0; }
    void command(int id) { dispatch(s, ui, id); }
};

} // namespace

TEST(FollowUp, FrothyBasinLosesItsBAndRendersAfresh) {
    Window w;
    w.s.type = 18;
    w.command(kCmdParameters);
    EXPECT_EQ(w.s.p[18].b, 0.0);
    EXPECT_EQ(w.s.firstloop, 1);
}

TEST(FollowUp, SpeedAloneKeepsTheImage) {
    Window w;
    w.s.type = 11; // Duffing: speed only
    w.dialogs.edits[kDlgParameters] = [](Fields& f) { f.text[311] = "10"; };
    w.command(kCmdParameters);
    EXPECT_EQ(w.s.speed, 0);
    EXPECT_EQ(w.s.firstloop, 0);
}

TEST(FollowUp, ANewResolutionRebuildsTheCanvasBlack) {
    Window w;
    w.s.canvas.fill_rect(Rect{0, 0, 600, 600}, rgb(1, 2, 3));
    w.dialogs.edits[kDlgParameters] = [](Fields& f) { f.text[310] = "250"; };
    w.command(kCmdParameters);
    EXPECT_EQ(w.s.res, 250);
    EXPECT_EQ(w.s.dres, 250.0);
    EXPECT_EQ(w.s.canvas.width(), 250);
    EXPECT_EQ(w.s.canvas.get_pixel(10, 10), 0u);
    EXPECT_EQ(w.s.firstloop, 1);
}

TEST(FollowUp, CancelledParametersChangeNothing) {
    Window w;
    w.dialogs.edits[kDlgParameters] = [](Fields& f) { f.text[310] = "250"; };
    w.dialogs.cancel[kDlgParameters] = true;
    w.command(kCmdParameters);
    EXPECT_EQ(w.s.res, 600);
    EXPECT_EQ(w.s.canvas.width(), 600);
    EXPECT_EQ(w.s.firstloop, 0);
}

TEST(FollowUp, ColouringAndBackgroundRenderAfreshOnlyWhenChanged) {
    Window w;
    w.s.type = 4;
    w.command(kCmdColoring);
    EXPECT_EQ(w.s.firstloop, 0);
    w.dialogs.edits[kDlgColoring] = [](Fields& f) {
        f.checked.clear();
        f.checked[512] = true;
    };
    w.command(kCmdColoring);
    EXPECT_EQ(w.s.method[4], 3);
    EXPECT_EQ(w.s.firstloop, 1);
    w.s.firstloop = 0;
    w.command(kCmdBackground);
    EXPECT_EQ(w.s.firstloop, 0);
    w.dialogs.edits[kDlgBackground] = [](Fields& f) { f.text[410] = "0"; };
    w.command(kCmdBackground);
    EXPECT_EQ(w.s.firstloop, 1);
}

TEST(FollowUp, IfsRestoreBoxBringsBackTheDefaultMaps) {
    Window w;
    w.dialogs.type_choice = 9;
    w.dialogs.edits[kDlgFern] = [](Fields& f) {
        f.text[kIfsCoefficient] = "1.5";
        f.checked[kIfsRestore] = true;
        f.checked[kIfsColoring] = false;
        f.checked[kIfsColoring + 1] = true;
    };
    w.command(kCmdType);
    EXPECT_EQ(w.s.f, fdef);
    EXPECT_EQ(w.s.frestore, 0);
    EXPECT_EQ(w.s.method[9], 3);
}

TEST(FollowUp, SierpinskiColouringSetsItsMethod) {
    Window w;
    w.dialogs.type_choice = 8;
    w.dialogs.edits[kDlgSierpinski] = [](Fields& f) {
        f.checked[kSierpinskiColoring] = false;
        f.checked[kSierpinskiColoring + 1] = true;
    };
    w.command(kCmdType);
    EXPECT_EQ(w.s.method[8], 3);
    EXPECT_EQ(w.s.firstloop, 1);
}

TEST(FollowUp, PgmRestoreBoxBringsBackScaleAndStartPoint) {
    Window w;
    w.s.type = 17;
    w.dialogs.edits[kDlgPgmFormula] = [](Fields& f) {
        f.checked.clear();
        f.checked[kPgmFormula + 3] = true;
    };
    w.dialogs.edits[kDlgPgmParameters] = [](Fields& f) {
        f.text[kPgmScale] = "10";
        f.text[kPgmX0] = "1";
        f.checked[kPgmRestore] = true;
    };
    w.command(kCmdPgmFormula);
    EXPECT_EQ(w.s.pgmindex, 3);
    EXPECT_EQ(w.s.pgmscale, 25.0);
    EXPECT_EQ(w.s.pgmx0[3], dpgmx0[3]);
    EXPECT_EQ(w.s.prestore, 0);
    EXPECT_EQ(w.dialogs.opened, (std::vector<int>{kDlgPgmFormula, kDlgPgmParameters}));
}
