// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_ids.h"
#include "app/fakes.h"
#include "app/menu.h"
#include "app/tone_commands.h"
#include "app/zoom.h"
#include "color/mapfile.h"
#include "color/preview.h"
#include "core/catalogue.h"
#include "files/png.h"
#include "formulas/steps.h"
#include "qt_support.h"
#include "support/render.h"
#include "ui/canvas_view.h"
#include "ui/dialogs/gallery_dialog.h"
#include "ui/launch.h"
#include "ui/main_window.h"
#include "ui/render_pump.h"
#include "ui/tone_window.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <QSlider>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

// The desktop window without splashes, its boxes and dialogs scripted.
struct Window {
    QApplication& app = qt_app(); // before any widget, also when this suite runs alone
    Instance s;
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
    void mouse(QEvent::Type type, Qt::MouseButton b, QPointF at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : b;
        QMouseEvent e(type, at, w.view()->mapToGlobal(at), b, held, Qt::NoModifier);
        QApplication::sendEvent(w.view(), &e);
    }
    void drag(Qt::MouseButton b, QPointF from, QPointF to) {
        mouse(QEvent::MouseButtonPress, b, from);
        mouse(QEvent::MouseMove, b, to);
        mouse(QEvent::MouseButtonRelease, b, to);
    }
    void click(Qt::MouseButton b) { drag(b, {5, 5}, {5, 5}); }
    void wheel(QPointF at, int delta) {
        QWheelEvent e(at, w.view()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.view(), &e);
    }
};

TEST(MainWindow, StartsRenderingAndPausesItselfAtTheStartUpCount) {
    Window win;
    EXPECT_EQ(std::pair(win.s.window.width(), win.s.ClientRes.bottom),
              std::pair(win.w.view()->width(), win.w.view()->height()));
    ASSERT_TRUE(process_until([&] { return win.s.itercount > 0 && !win.s.rendering; }));
    EXPECT_EQ(std::tuple(win.s.itercount, win.w.pump()->calls(), win.w.pump()->running()),
              std::tuple(25000, 25000, false));
    EXPECT_EQ(win.w.windowTitle(), "Morvane - Henon - paused - 25000 points - 0 points/s");
    EXPECT_TRUE(win.w.action(kCmdType)->isEnabled() && !win.w.action(kCmdRandom)->isEnabled());
    const QActionGroup* palettes = win.w.action(kCmdPalette1)->actionGroup();
    ASSERT_NE(palettes, nullptr);
    EXPECT_TRUE(win.w.action(kCmdPalette1)->isChecked() && palettes->isExclusive());
    EXPECT_EQ(palettes->actions().size(), 3);
    EXPECT_EQ(win.w.view()->cursor().shape(), Qt::CrossCursor);

    // Randomized KAM Torus draws a whole picture in one call: the image completes.
    win.s.type = kTypeRandomKamTorus;
    win.s.fresh_image = true;
    win.click(Qt::LeftButton);
    ASSERT_TRUE(process_until([&] { return !win.s.rendering; }));
    EXPECT_TRUE(win.w.windowTitle().contains(" - complete - "))
        << win.w.windowTitle().toStdString();
}

// The Qt menus and shortcuts are built from the menu model, key-only commands included.
TEST(MainWindow, MenusAndShortcutsFollowTheTable) {
    Window win;
    const QList<QAction*> popups = win.w.menuBar()->actions();
    ASSERT_EQ(popups.size(), static_cast<qsizetype>(main_menu().size()));
    const auto check = [&](int id, std::string_view key, std::string_view label) {
        ASSERT_NE(win.w.shortcut(id), nullptr) << id;
        EXPECT_EQ(win.w.shortcut(id)->key(), QKeySequence(QString::fromStdString(std::string(key)),
                                                          QKeySequence::PortableText))
            << id;
        if (label.empty()) return;
        ASSERT_NE(win.w.action(id), nullptr) << id;
        EXPECT_EQ(std::pair(win.w.action(id)->text().toStdString(), win.w.action(id)->objectName()),
                  std::pair(std::string(label), QString::number(id)));
    };
    for (std::size_t i = 0; i < main_menu().size(); ++i) {
        EXPECT_EQ(popups[static_cast<qsizetype>(i)]->text().toStdString(), main_menu()[i].title);
        for (const MenuEntry& e : main_menu()[i].entries) {
            if (e.kind == MenuEntry::Item) check(e.id, e.key, e.label);
            for (const MenuEntry& c : e.children)
                check(c.id, c.key, c.label);
        }
    }
    for (const KeyOnly& k : key_only_commands())
        check(k.id, k.key, "");
}

// Clicks toggle rendering; keys reach enabled commands and key-only ones.
TEST(MainWindow, ClicksAndKeysReachEnabledCommandsOnly) {
    Window win;
    win.settle();
    EXPECT_FALSE(win.w.shortcut(kCmdRandom)->isEnabled()); // Henon has no random parameters
    win.press(Qt::Key_F3);
    EXPECT_EQ(win.dialogs.opened, std::vector<int>{kDlgType});
    win.press(Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(win.prompts.shown.size(), 1u);
    EXPECT_EQ(win.prompts.shown[0].caption, "Debug Mode");
    win.click(Qt::LeftButton);
    EXPECT_TRUE(win.s.rendering && win.w.pump()->running());
    EXPECT_FALSE(win.w.action(kCmdSaveImage)->isEnabled() ||
                 win.w.shortcut(kCmdHelp)->isEnabled()); // grayed while rendering
    EXPECT_EQ(win.w.view()->cursor().shape(), Qt::BusyCursor);
    const long long before = win.w.pump()->calls();
    ASSERT_TRUE(process_until([&] { return win.w.pump()->calls() > before; }));
    win.click(Qt::RightButton);
    EXPECT_FALSE(win.s.rendering || win.w.pump()->running());
    win.press(Qt::Key_R);
    EXPECT_EQ(win.s.rendering, 1);
}

// Repainting copies the canvas; after a new resolution the screen is the new
// canvas, and the filters wait for a hit count of its size.
TEST(MainWindow, RepaintAndResolutionChangeShowTheCanvas) {
    Window win;
    win.s.method[0] = kMethodHitCount;
    win.settle();
    win.s.canvas.set_pixel(10, 10, rgb(1, 2, 3));
    win.s.window.set_pixel(10, 10, rgb(200, 0, 0));
    win.w.repaint_now();
    EXPECT_EQ(win.s.window.get_pixel(10, 10), rgb(1, 2, 3));
    EXPECT_EQ(win.w.view()->grab().toImage().pixel(10, 10), qRgb(1, 2, 3));
    ASSERT_TRUE(win.w.action(kCmdNormalize)->isEnabled());
    win.dialogs.script[kDlgParameters].push_back({kButton1, [](Instance& s) { s.res = 300; }});
    win.press(Qt::Key_F4);
    EXPECT_EQ(win.s.canvas.width(), 300);
    for (const Point at : {Point{10, 10}, Point{299, 299}, Point{350, 10}, Point{10, 350}})
        EXPECT_EQ(win.s.window.get_pixel(at.x, at.y), win.s.canvas.get_pixel(at.x, at.y))
            << at.x << "," << at.y;
    EXPECT_FALSE(win.w.action(kCmdNormalize)->isEnabled() ||
                 win.w.shortcut(kCmdEqualize)->isEnabled());
}

// A dragged rectangle and the wheel set the plot window and restart the
// image; Ctrl+Z and Ctrl+Shift+Z step through the views had.
TEST(MainWindow, MouseZoomsAndKeysStepThroughTheViews) {
    Window win;
    win.settle();
    constexpr int t = kTypeHenonPhase; // a type with a plot window
    win.s.type = t;
    win.s.fresh_image = true;
    const ViewWindow start = win.s.mm[t], limits = catalogue[t].mmrange;
    win.drag(Qt::LeftButton, {100, 120}, {299, 319});
    const ViewWindow zoomed = zoom_to_rect(start, limits, win.s.res, {100, 120, 299, 319});
    EXPECT_EQ(win.s.mm[t], zoomed);
    EXPECT_EQ(win.s.rendering, 1) << "the image restarts in the new window";
    EXPECT_TRUE(win.w.windowTitle().startsWith("Morvane - Henon Phase Diagram - rendering - "));
    win.wheel({50, 60}, 120);
    const ViewWindow wheeled = zoom_about(zoomed, limits, win.s.res, 50, 60, 0.8);
    EXPECT_EQ(win.s.mm[t], wheeled);
    win.click(Qt::RightButton); // pause
    EXPECT_EQ(win.s.rendering, 0);
    for (const auto& [back, view] : {std::pair{true, zoomed},
                                     {true, start},
                                     {true, start},
                                     {false, zoomed},
                                     {false, wheeled},
                                     {false, wheeled}}) {
        win.press(Qt::Key_Z, back ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(win.s.mm[t], view);
    }
    EXPECT_EQ(win.s.rendering, 1) << "a step back restarts the image";
}

// The points per second of the title, which is never negative.
long long title_rate(const ui::MainWindow& w) {
    const QString t = w.windowTitle();
    const qsizetype end = t.indexOf(" points/s");
    return t.mid(t.lastIndexOf(" - ", end) + 3, end - t.lastIndexOf(" - ", end) - 3).toLongLong();
}

// What a new user tripped over: the title after a restart, a new type while
// paused, a new resolution and a palette that waits for the next render; the
// palette preview over a fitted picture; the Explore menu's items.
TEST(MainWindow, TitleAndPreviewFollowWhatTheUserDid) {
    Window win;
    win.settle();
    win.s.type = kTypeHenonPhase;
    win.s.fresh_image = true;
    win.press(Qt::Key_R);
    ASSERT_TRUE(process_until([&] { return win.w.pump()->image_calls() > 100000; }));
    win.wheel({50, 60}, 120); // a fresh image: fewer points than before
    const long long calls = win.w.pump()->calls();
    ASSERT_TRUE(process_until([&] { return win.w.pump()->calls() > calls + 1000; }));
    win.w.update_status();
    EXPECT_GE(title_rate(win.w), 0) << win.w.windowTitle().toStdString();
    win.click(Qt::RightButton);

    win.dialogs.script[kDlgType].push_back({kButton1, [](Instance& s) { s.type = kTypeIkeda; }});
    win.press(Qt::Key_F3);
    EXPECT_TRUE(win.w.windowTitle().startsWith("Morvane - Ikeda - paused - 0 points - "))
        << win.w.windowTitle().toStdString();
    win.press(Qt::Key_R);
    win.click(Qt::RightButton);
    win.dialogs.script[kDlgParameters].push_back({kButton1, [](Instance& s) { s.res = 300; }});
    win.press(Qt::Key_F4);
    EXPECT_TRUE(win.w.windowTitle().contains(" - paused - 0 points - "))
        << win.w.windowTitle().toStdString();
    win.press(Qt::Key_F10);
    EXPECT_TRUE(
        win.w.windowTitle().endsWith("the new palette applies at the next render or filter"));
    win.press(Qt::Key_R);
    EXPECT_FALSE(win.w.windowTitle().contains("palette"));
    win.click(Qt::RightButton);

    // Fitted, the preview still shows at the window's corner.
    TempDir dir;
    const std::string map = dir.file("p.map");
    std::ofstream(map) << "10 20 30\n";
    win.w.action(kCmdFit)->trigger();
    ASSERT_TRUE(win.w.view()->fit());
    Palette loaded{};
    ASSERT_TRUE(parse_map("10 20 30\n", 9, loaded));
    Surface preview(1, 1);
    draw_palette_preview(loaded, win.s.back, preview);
    QRgb shown = 0;
    win.prompts.files = {map};
    win.prompts.on_ask = [&] { shown = win.w.view()->grab().toImage().pixel(30, 50); };
    win.press(Qt::Key_F8);
    EXPECT_EQ(rgb(qRed(shown), qGreen(shown), qBlue(shown)), preview.get_pixel(30, 50));
    EXPECT_EQ(preview.get_pixel(30, 50), rgb(1, 1, 1)) << "a line of the palette";
    win.w.action(kCmdFit)->trigger();
    EXPECT_FALSE(win.w.view()->fit());
}

// On every core the window only looks at the workers: a zoom while they draw
// starts them afresh with nothing of the old picture, a pause holds them, and
// the completed picture, saved with S, is the one the renderer draws from it.
// Toned, the lanes feed the density and a tone slider re-tones what they
// drew without starting them again.
TEST(MainWindow, AllCoresDrawsTheRenderersPicture) {
    struct Case {
        const char* what;
        CoresSettings cores;
        int oversample; // toned with this oversampling, or not toned
    };
    for (const Case& c : {Case{"fast", {true, true, 16, 60'000'000, 2}, 0},
                          Case{"toned, oversampled, fast", {true, true, 16, 40'000'000, 2}, 2}}) {
        SCOPED_TRACE(c.what);
        Window win;
        win.settle();
        win.s.platform.now_seconds = [log = win.s.clock_log] { return log->note(77); };
        win.s.type = kTypeDeJong;
        win.s.method[kTypeDeJong] = kMethodHitCount;
        if (c.oversample > 0) {
            PictureSettings p;
            p.tone = 1;
            p.oversample = c.oversample;
            apply_picture(win.s, p);
        }
        win.dialogs.script[kDlgCores].push_back(
            {kButton1, [&c](Instance& s) { s.cores = c.cores; }});
        win.press(Qt::Key_R, Qt::ControlModifier);
        ASSERT_TRUE(win.s.cores.on);
        win.press(Qt::Key_R);
        ASSERT_TRUE(process_until([&] { return win.w.pump()->image_calls() > 1'000'000; }));
        EXPECT_TRUE(win.w.pump()->on_cores());
        EXPECT_TRUE(win.s.image_fast);
        win.wheel({50, 60}, 120);
        ASSERT_TRUE(process_until(
            [&] { return !win.s.fresh_image && win.w.pump()->image_calls() > 1'000'000; }));
        if (c.oversample > 0) {
            EXPECT_TRUE(toning(win.s));
            QApplication::postEvent(&win.w,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_T, Qt::NoModifier));
            QApplication::processEvents();
            ui::ToneWindow* t = win.w.tone_window();
            ASSERT_NE(t, nullptr);
            const long long drawn = win.w.pump()->image_calls();
            press_key(t->slider(0), Qt::Key_Right);
            EXPECT_GT(win.s.picture.exposure, 1.0);
            EXPECT_FALSE(win.s.fresh_image);
            QApplication::processEvents();
            EXPECT_GE(win.w.pump()->image_calls(), drawn) << "the workers went on";
            t->close();
            win.w.activateWindow(); // its keys again
            ASSERT_TRUE(process_until([&] { return win.w.isActiveWindow(); }));
        }
        win.press(Qt::Key_R);
        EXPECT_TRUE(win.w.windowTitle().contains(" - paused - "))
            << win.w.windowTitle().toStdString();
        win.press(Qt::Key_R);
        ASSERT_TRUE(process_until([&] { return !win.s.rendering; }));
        EXPECT_TRUE(win.w.windowTitle().contains(" - complete - " +
                                                 QString::number(c.cores.points) + " points"))
            << win.w.windowTitle().toStdString();
        TempDir dir;
        const std::string png = dir.file("cores.png");
        win.prompts.files = {png};
        win.press(Qt::Key_S);
        expect_cli_redraws(png, dir);
    }
}

// The start-up picture zooms and pans; a type drawn at a fixed scale says
// in the title that it cannot zoom, and its view stays.
TEST(MainWindow, HenonZoomsAndFixedScaleTypesRefuseVisibly) {
    Window win;
    win.settle();
    const ViewWindow start = win.s.mm[kTypeHenon];
    win.drag(Qt::LeftButton, {100, 50}, {199, 149});
    const ViewWindow zoomed =
        zoom_to_rect(start, catalogue[kTypeHenon].mmrange, win.s.res, {100, 50, 199, 149});
    EXPECT_EQ(win.s.mm[kTypeHenon], zoomed);
    EXPECT_NE(zoomed, start);
    win.press(Qt::Key_Left);
    EXPECT_EQ(win.s.mm[kTypeHenon], pan_view(zoomed, catalogue[kTypeHenon].mmrange, -0.25, 0));
    win.click(Qt::RightButton);
    win.s.type = kTypeLorenz;
    const ViewWindow lorenz = win.s.mm[kTypeLorenz];
    win.wheel({50, 60}, 120);
    EXPECT_EQ(win.s.mm[kTypeLorenz], lorenz);
    EXPECT_TRUE(win.w.windowTitle().endsWith(kCannotZoomNote)) << win.w.windowTitle().toStdString();
    win.press(Qt::Key_R);
    EXPECT_FALSE(win.w.windowTitle().contains(kCannotZoomNote));
}

// Shift+F5 opens the gallery where F5 is offered; a click on a thumbnail
// adopts its candidate and restarts the image, and Undo goes back.
TEST(MainWindow, GalleryAdoptsAClickedCandidate) {
    Window win;
    win.settle();
    EXPECT_FALSE(win.w.action(kCmdGallery)->isEnabled()); // Henon has no random parameters
    win.s.type = kTypeDeJong;
    win.press(Qt::Key_R);
    win.click(Qt::RightButton);
    ASSERT_TRUE(win.w.action(kCmdGallery)->isEnabled());
    const TypeParams before = win.s.p[kTypeDeJong];
    std::size_t shown = 0;
    // The dialog draws its candidates before it shows: wait for it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* gallery = qobject_cast<ui::GalleryDialog*>(QApplication::activeModalWidget());
        if (gallery == nullptr) return;
        poll.stop();
        shown = gallery->cells().size();
        gallery->cells()[0]->click();
    });
    poll.start(10);
    win.press(Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(shown, 9u);
    EXPECT_NE(win.s.p[kTypeDeJong], before);
    EXPECT_EQ(win.s.rendering, 1) << "the adopted set is rendered";
    win.click(Qt::RightButton);
    win.w.action(kCmdUndo)->trigger(); // the window may not be active again yet
    EXPECT_EQ(win.s.p[kTypeDeJong], before);
}

// An image larger than the window: the middle button moves it, F fits it;
// the canvas keeps its size and mouse positions map onto it.
TEST(MainWindow, LargeImagesMoveAndFit) {
    Window win;
    win.settle();
    win.s.res = 2000;
    set_resolution(win.s, 2000);
    win.drag(Qt::MiddleButton, {300, 300}, {100, 200});
    EXPECT_EQ(win.w.view()->offset(), QPoint(200, 100));
    EXPECT_EQ(win.w.view()->canvas_pixel({10, 10}), QPoint(210, 110));
    win.press(Qt::Key_F);
    ASSERT_TRUE(win.w.view()->fit());
    const int side = std::min(win.w.view()->width(), win.w.view()->height()) - 1;
    EXPECT_NEAR(win.w.view()->canvas_pixel({side, side}).x(), 1999, 4);
    EXPECT_EQ(win.s.canvas.width(), 2000);
}

TEST(MainWindow, ClosingEndsTheProgramInBothStates) {
    for (int rendering : {0, 1}) {
        Window win;
        win.settle();
        if (rendering) win.press(Qt::Key_R);
        bool ended = false;
        QObject::connect(&win.w, &ui::MainWindow::ended, [&] { ended = true; });
        win.press(Qt::Key_Escape); // Exit, refused while rendering
        EXPECT_EQ(ended, !rendering);
        if (rendering) win.w.close(); // the close box still works
        EXPECT_TRUE(ended && win.s.hcres == 0) << rendering;
    }
}

// The close box with unsaved work asks first, also while rendering; Cancel
// keeps the window and its render going.
TEST(MainWindow, ClosingWithUnsavedWorkAsksFirst) {
    Window win;
    win.settle();
    win.press(Qt::Key_R);
    bool ended = false;
    QObject::connect(&win.w, &ui::MainWindow::ended, [&] { ended = true; });
    win.s.fresh_image = false;
    win.s.unsaved_ns = 60'000'000'000LL;
    win.prompts.save_answers = {app::SaveChoice::Cancel, app::SaveChoice::Discard};
    win.w.close();
    EXPECT_FALSE(ended);
    EXPECT_TRUE(win.w.pump()->running()) << "the render goes on after Cancel";
    win.w.close();
    EXPECT_TRUE(ended);
    EXPECT_EQ(win.prompts.shown.size(), 2u);
}

constexpr std::int64_t kMs = 1'000'000;

// A pump on a fake clock that moves 100 us whenever it is read, plus what the
// steps' waits add when they block. Type 0 plots at once, type 1 waits 3 ms.
struct FakeClockPump {
    app::Instance s;
    std::array<StepFn, NTYPES> steps = fpointer;
    std::int64_t t = 0;
    ui::RenderPump pump{
        s, ui::RenderPump::Hooks{
               [this] { s.posted.clear(); }, {}, [] {}, [this] { return t += kMs / 10; }}};
    explicit FakeClockPump(bool blocking) {
        qt_app();
        steps[0] = [](const Params&, RenderContext&, Point3 old, Point3* next, int, int* x,
                      int* y) {
            *next = old;
            *x = *y = 1;
            return int{kPlot};
        };
        steps[1] = [](const Params&, RenderContext& rc, Point3 old, Point3* next, int, int* x,
                      int* y) {
            rc.sleep_ms(3);
            *next = old;
            *x = *y = 2;
            return int{kPlot};
        };
        s.steps = &steps;
        s.platform.sleep_ms = [this, blocking](int ms) {
            blocking ? void(t += ms * kMs) : pump.hold(ms);
        };
        set_resolution(s, 200);
        s.intro = 0;
        s.rendering = true;
    }
    long long slice() {
        const long long before = pump.calls();
        pump.slice();
        return pump.calls() - before;
    }
};

// A type that waits 3 ms per call after a fast type: whether the wait blocks
// or holds the next call back, no slice runs much over its 5 ms, so the
// window never freezes.
TEST(RenderPump, SlicesStayShortWhenAWaitingTypeFollowsAFastOne) {
    for (const bool blocking : {true, false}) {
        FakeClockPump f(blocking);
        for (int i = 0; i < 3; ++i)
            f.slice();
        EXPECT_GT(f.slice(), 4096) << "the fast type runs in large batches";
        f.s.type = 1;
        f.s.fresh_image = true;
        for (int i = 0; i < 20; ++i) {
            const std::int64_t before = f.t;
            const long long calls = f.slice();
            EXPECT_LE(f.t - before, 20 * kMs) << blocking << " slice " << i;
            EXPECT_GE(calls, 1);
            if (blocking) continue;
            // One call, then the pump waits across turns, never in one.
            EXPECT_EQ(std::pair(calls, f.pump.wait_ms()), std::pair(1LL, 3));
            EXPECT_EQ(f.slice(), 0) << "called before its wait was over";
            f.t += 3 * kMs;
        }
    }
}

// The desktop program before Qt starts: its answers without a display.
TEST(Launch, DisplayIsFoundWhereQtWouldReachOne) {
    struct Case {
        const char *platform, *display, *wayland;
        bool expected;
    };
    for (const Case& c :
         {Case{nullptr, nullptr, nullptr, false}, Case{nullptr, "", "", false},
          Case{"", ":0", nullptr, true}, Case{nullptr, nullptr, "wayland-0", true},
          Case{"offscreen", nullptr, nullptr, true},
          Case{"minimal:enable_fonts", nullptr, nullptr, true},
          Case{"xcb", nullptr, "wayland-0", false}, Case{"wayland", ":0", nullptr, false},
          Case{"wayland;xcb", ":0", nullptr, true},
          Case{"wayland-egl;xcb:x", nullptr, nullptr, false}, Case{";", ":0", nullptr, false}}) {
        EXPECT_EQ(ui::display_available(c.platform, c.display, c.wayland), c.expected)
            << (c.platform ? c.platform : "(unset)") << " " << (c.display ? c.display : "-") << " "
            << (c.wayland ? c.wayland : "-");
    }
}

// The desktop program with no display but what `env` sets, and these arguments.
CliRun run_desktop(const std::string& env, const std::string& args) {
    return run_shell("env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY " + env + " '" +
                     MORVANE_DESKTOP_PATH + "' " + args);
}

TEST(Launch, WithoutADisplayTheProgramAnswersAndEndsCleanly) {
    struct Case {
        std::string env, args;
        int status;
        std::string begins, ends; // the output's
        int lines;                // -1: any number
    };
    const std::string no_display = ui::kNoDisplayText;
    for (const Case& c : {
             Case{"", "--version", 0, "morvane 1.", "\n", 1},
             Case{"", "--no-splash -h", 0, "usage: morvane ",
                  "morvane-render draws the same images into files.\n", -1},
             Case{"", "--no-splash x.atr", 1, no_display, no_display, 1},
             Case{"QT_QPA_PLATFORM='wayland;xcb' DISPLAY=", "", 1, no_display, no_display, 1},
             // A display that is named but cannot be reached: Qt gives up inside.
             Case{"QT_QPA_PLATFORM=xcb DISPLAY=:97", "", 1, "", no_display, -1},
         }) {
        const CliRun r = run_desktop(c.env, c.args);
        const auto lines = std::count(r.output.begin(), r.output.end(), '\n');
        EXPECT_EQ(r.status, c.status) << c.env << " " << c.args;
        EXPECT_TRUE(r.output.starts_with(c.begins) && r.output.ends_with(c.ends) &&
                    (c.lines < 0 || lines == c.lines))
            << c.env << " " << c.args << ": " << r.output;
    }
}

} // namespace
} // namespace morv::test
