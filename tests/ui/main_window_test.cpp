#include "app/command_ids.h"
#include "app/fakes.h"
#include "app/menu.h"
#include "formulas/steps.h"
#include "qt_support.h"
#include "ui/canvas_view.h"
#include "ui/main_window.h"
#include "ui/render_pump.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

// The desktop window without splashes, its boxes and dialogs scripted.
struct Window {
    State s;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    ui::MainWindow w{s, ui::MainWindow::Options{false, &prompts, &dialogs}};

    Window() {
        s.steps = &fpointer;
        qt_app();
        EXPECT_TRUE(w.create(""));
    }
    void settle() {
        process_until([this] { return s.posted.empty() && !w.pump()->running(); });
    }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QApplication::postEvent(&w, new QKeyEvent(QEvent::KeyPress, key, mods));
        QApplication::postEvent(&w, new QKeyEvent(QEvent::KeyRelease, key, mods));
        QApplication::processEvents();
    }
    void click(Qt::MouseButton b) {
        const QPointF at(5, 5);
        QMouseEvent e(QEvent::MouseButtonPress, at, w.view()->mapToGlobal(at), b, b,
                      Qt::NoModifier);
        QApplication::sendEvent(w.view(), &e);
    }
};

TEST(MainWindow, StartsRenderingAndPausesItselfAtTheStartUpCount) {
    Window win;
    EXPECT_EQ(win.w.windowTitle(), "Morvane");
    EXPECT_EQ(win.s.window.width(), win.w.view()->width());
    EXPECT_EQ(win.s.ClientRes.bottom, win.w.view()->height());
    ASSERT_TRUE(process_until([&] { return win.s.itercount > 0 && win.s.okrun == 0; }));
    EXPECT_EQ(win.s.itercount, 25000);
    EXPECT_EQ(win.w.pump()->calls(), 25000);
    EXPECT_FALSE(win.w.pump()->running());
    EXPECT_TRUE(win.w.action(kCmdType)->isEnabled());
    EXPECT_FALSE(win.w.action(kCmdRandom)->isEnabled());
    EXPECT_TRUE(win.w.action(kCmdPalette1)->isChecked());
    EXPECT_EQ(win.w.view()->cursor().shape(), Qt::CrossCursor);
}

TEST(MainWindow, ClicksToggleRendering) {
    Window win;
    win.settle();
    ASSERT_EQ(win.s.okrun, 0);
    win.click(Qt::LeftButton);
    EXPECT_EQ(win.s.okrun, 1);
    EXPECT_TRUE(win.w.pump()->running());
    EXPECT_FALSE(win.w.action(kCmdSaveImage)->isEnabled());
    EXPECT_EQ(win.w.view()->cursor().shape(), Qt::BusyCursor);
    const long long before = win.w.pump()->calls();
    ASSERT_TRUE(process_until([&] { return win.w.pump()->calls() > before; }));
    win.click(Qt::RightButton);
    EXPECT_EQ(win.s.okrun, 0);
    EXPECT_FALSE(win.w.pump()->running());
}

TEST(MainWindow, MenusAndShortcutsFollowTheTable) {
    Window win;
    const QList<QAction*> popups = win.w.menuBar()->actions();
    ASSERT_EQ(popups.size(), 4);
    EXPECT_EQ(popups[0]->text(), "File      ");
    EXPECT_EQ(popups[3]->text(), "Help");
    const auto check = [&](const MenuEntry& e) {
        QAction* a = win.w.action(e.id);
        ASSERT_NE(a, nullptr) << e.id;
        EXPECT_EQ(a->text().toStdString(), e.label);
        EXPECT_EQ(a->objectName().toInt(), e.id);
        EXPECT_EQ(
            win.w.shortcut(e.id)->key(),
            QKeySequence(QString::fromUtf8(e.key.data(), static_cast<qsizetype>(e.key.size())),
                         QKeySequence::PortableText));
    };
    for (const Popup& p : main_menu())
        for (const MenuEntry& e : p.entries) {
            if (e.kind == MenuEntry::Item) check(e);
            if (e.kind == MenuEntry::Submenu)
                for (const MenuEntry& c : e.children)
                    check(c);
        }
    EXPECT_EQ(win.w.shortcut(kCmdDebug)->key(), QKeySequence("Ctrl+Alt+D"));
    EXPECT_EQ(win.w.shortcut(kCmdPgmParameters)->key(), QKeySequence("Alt+G"));
}

TEST(MainWindow, KeysReachEnabledCommandsOnly) {
    Window win;
    win.settle();
    ASSERT_FALSE(win.w.shortcut(kCmdRandom)->isEnabled()); // Henon has no random parameters
    win.press(Qt::Key_F5);
    win.press(Qt::Key_N);
    EXPECT_TRUE(win.prompts.shown.empty());
    win.press(Qt::Key_F3);
    EXPECT_EQ(win.dialogs.opened, std::vector<int>{kDlgType});
    win.press(Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(win.prompts.shown.size(), 1u);
    EXPECT_EQ(win.prompts.shown[0].caption, "Debug Mode");
    win.press(Qt::Key_R);
    EXPECT_EQ(win.s.okrun, 1);
    win.press(Qt::Key_F1); // grayed while rendering
    EXPECT_EQ(win.prompts.shown.size(), 1u);
}

TEST(MainWindow, RepaintCopiesTheCanvas) {
    Window win;
    win.settle();
    win.s.canvas.set_pixel(10, 10, rgb(1, 2, 3));
    win.s.window.set_pixel(10, 10, rgb(200, 0, 0));
    win.w.repaint_now();
    EXPECT_EQ(win.s.window.get_pixel(10, 10), rgb(1, 2, 3));
    const QImage shown = win.w.view()->grab().toImage();
    EXPECT_EQ(shown.pixel(10, 10), qRgb(1, 2, 3));
}

TEST(MainWindow, ClosingEndsTheProgramInBothStates) {
    for (int rendering : {0, 1}) {
        Window win;
        win.settle();
        if (rendering) win.press(Qt::Key_R);
        bool ended = false;
        QObject::connect(&win.w, &ui::MainWindow::ended, [&] { ended = true; });
        if (!rendering) {
            win.press(Qt::Key_Escape);
        } else {
            win.press(Qt::Key_Escape); // Exit is refused while rendering
            EXPECT_FALSE(ended);
            win.w.close(); // the close box still works
        }
        EXPECT_TRUE(ended) << rendering;
        EXPECT_EQ(win.s.hcres, 0);
    }
}

} // namespace
} // namespace morv::test
