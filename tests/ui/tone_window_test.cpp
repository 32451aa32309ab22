// SPDX-License-Identifier: GPL-3.0-or-later
// The Tone window: opened by T while the picture renders; its sliders re-tone
// the picture without drawing it again, and Ctrl+Z steps back over them.
#include "app/command_ids.h"
#include "app/fakes.h"
#include "qt_support.h"
#include "ui/main_window.h"
#include "ui/render_pump.h"
#include "ui/tone_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QSlider>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

struct Window {
    bool qt_ready = (qt_app(), true); // before any widget
    Instance s;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    ui::MainWindow w{s, ui::MainWindow::Options{false, &prompts, &dialogs, nullptr}};
    Window() {
        s.steps = &fpointer;
        EXPECT_TRUE(w.create(""));
        s.intro = 0;
    }
    ui::ToneWindow* open() {
        QApplication::postEvent(&w, new QKeyEvent(QEvent::KeyPress, Qt::Key_T, Qt::NoModifier));
        QApplication::processEvents();
        return w.tone_window();
    }
    void render_for(long long calls) {
        const long long until = w.pump()->image_calls() + calls;
        EXPECT_TRUE(process_until([&] { return w.pump()->image_calls() >= until; }));
    }
};

TEST(ToneWindow, SlidersAndFieldsMapTheirRangesBothWays) {
    for (int i = 0; i < ui::ToneWindow::kSliderSettings; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ui::slider_position(i, ui::slider_value(i, 0)), 0);
        EXPECT_EQ(ui::slider_position(i, ui::slider_value(i, ui::kSliderSteps)), ui::kSliderSteps);
        for (const int at : {1, 250, 500, 999})
            EXPECT_NEAR(ui::slider_position(i, ui::slider_value(i, at)), at, 5); // a key's step
    }
    EXPECT_EQ(ui::slider_value(0, ui::kSliderSteps / 2), 1.0); // exposure: 1 in the middle
    EXPECT_EQ(ui::slider_position(4, 1e9), ui::kSliderSteps);  // held to the range
}

TEST(ToneWindow, OpensWithTheExposureSliderFocusedAndRetonesWhileRendering) {
    Window win;
    win.s.type = kTypeDeJong;
    win.s.method[win.s.type] = kMethodHitCount;
    ui::ToneWindow* t = win.open();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(t->windowTitle(), QStringLiteral("Tone"));
    EXPECT_TRUE(process_until([&] { return t->slider(0)->hasFocus(); }, 2000));

    // Switched on, the image starts afresh and gathers a density.
    t->tone_box()->setChecked(true);
    EXPECT_EQ(win.s.picture.tone, 1);
    if (!win.s.rendering) win.w.command(kCmdRender);
    win.render_for(20000);
    EXPECT_TRUE(win.s.density.active());

    // An arrow key moves the exposure: toned again, the points kept.
    const long long calls = win.w.pump()->image_calls();
    const std::size_t behind = win.w.history().behind();
    // (the main window's pan keys do not take it)
    press_key(t->slider(0), Qt::Key_Right);
    EXPECT_GT(win.s.picture.exposure, 1.0);
    EXPECT_EQ(t->field(0)->value(), win.s.picture.exposure);
    EXPECT_EQ(win.s.fresh_image, 0);
    EXPECT_GE(win.w.pump()->image_calls(), calls);
    EXPECT_EQ(win.w.history().behind(), behind + 1);

    // Ctrl+Z brings the exposure back, in the window too, and keeps drawing.
    win.w.command(kCmdUndo);
    EXPECT_EQ(win.s.picture.exposure, 1.0);
    EXPECT_EQ(t->field(0)->value(), 1.0);
    EXPECT_EQ(win.s.fresh_image, 0);

    // The colour source restarts the image; a field sets its slider.
    t->color_box()->setCurrentIndex(2);
    emit t->color_box()->activated(2);
    EXPECT_EQ(win.s.picture.color_by, 2);
    t->field(1)->setValue(1.0);
    EXPECT_EQ(win.s.picture.gamma, 1.0);
    EXPECT_EQ(t->slider(1)->value(), ui::slider_position(1, 1.0));
    t->oversample_box()->setValue(2);
    EXPECT_EQ(win.s.picture.oversample, 2);
    win.render_for(5000);
    EXPECT_TRUE(win.s.tone.fine_on);
    EXPECT_FALSE(win.s.density.active());
    t->close();
}

// The arrows step a closed list's choice; the filter width tones the points
// drawn again; Ctrl+Z pressed in the window steps the history back.
TEST(ToneWindow, KeysStepChoicesAndTheFilterWidthRetones) {
    Window win;
    ui::ToneWindow* t = win.open();
    ASSERT_NE(t, nullptr);
    t->tone_box()->setChecked(true);
    for (const auto& [key, want] : {std::pair{Qt::Key_Down, 1},
                                    {Qt::Key_Right, 2},
                                    {Qt::Key_Left, 1},
                                    {Qt::Key_Up, 0},
                                    {Qt::Key_Left, 0}}) {
        press_key(t->color_box(), key);
        EXPECT_EQ(win.s.picture.color_by, want) << key;
        EXPECT_EQ(t->color_box()->currentIndex(), want) << key;
    }
    t->slider(ui::ToneWindow::kFilterWidth)->setValue(ui::kSliderSteps);
    EXPECT_EQ(win.s.picture.filter_width, 8.0);
    const std::size_t behind = win.w.history().behind();
    t->field(ui::ToneWindow::kFilterWidth)->setValue(2.0);
    EXPECT_EQ(win.w.history().behind(), behind + 1);
    t->close();
}

} // namespace
} // namespace morv::test
