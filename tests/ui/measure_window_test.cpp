// SPDX-License-Identifier: GPL-3.0-or-later
// The Measure window: opened by M while the picture renders, converging on a
// thread of its own, and following the parameter set.
#include "app/command_ids.h"
#include "app/fakes.h"
#include "core/catalogue.h"
#include "formulas/steps.h"
#include "formulas/tangent_models.h"
#include "qt_support.h"
#include "ui/main_window.h"
#include "ui/measure_window.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

struct Window {
    bool qt_ready = (qt_app(), true); // before any widget
    Instance s;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    ui::MainWindow w{s, ui::MainWindow::Options{false, &prompts, &dialogs, &tangent_models}};
    Window() {
        s.steps = &fpointer;
        EXPECT_TRUE(w.create(""));
    }
    bool shows(const char* text) {
        return process_until([&] { return w.measure_window()->text().contains(text); });
    }
};

TEST(MeasureWindow, OpensWithMAndFollowsTheParameterSet) {
    Window win;
    QApplication::postEvent(&win.w, new QKeyEvent(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier));
    QApplication::processEvents();
    ASSERT_NE(win.w.measure_window(), nullptr);
    EXPECT_TRUE(win.w.measure_window()->isVisible());
    EXPECT_TRUE(win.shows("Henon (converging...)\nLyapunov exponents (nats per step): 0.4"));
    // A new type, as a dialog or Ctrl+Z would leave it, restarts the work.
    win.s.type = kTypeIkeda;
    EXPECT_TRUE(win.shows("Ikeda (converging...)"));
    win.s.type = kTypeSierpinski;
    EXPECT_TRUE(win.shows("cannot be measured: its next point depends on a random choice"));
    EXPECT_TRUE(win.w.measure_window()->finished());
    win.w.measure_window()->close();
    EXPECT_FALSE(win.w.measure_window()->isVisible());
}

TEST(MeasureWindow, InputsAreTheTypeAndWhatItsMapReads) {
    Params a, b;
    EXPECT_TRUE(ui::same_measure_inputs(a, b));
    b.palette = Palette{};
    b.back = rgb(1, 2, 3);
    EXPECT_TRUE(ui::same_measure_inputs(a, b));
    b.p[b.type].xstart += 0.5;
    EXPECT_FALSE(ui::same_measure_inputs(a, b));
}

} // namespace
} // namespace morv::test
