// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/menu.h"
#include "app/messages.h"
#include "app/startup.h"
#include "app/tone_commands.h"
#include "core/driver.h"
#include "ui/canvas_view.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/measure_window.h"
#include "ui/qt_text.h"
#include "ui/render_pump.h"
#include "ui/splash.h"
#include "ui/tone_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

namespace morv::ui {

namespace {

constexpr int kMinDisplayDepth = 24;
constexpr int kStatusMs = 250; // the title's figures change four times a second
constexpr int kExposeWaitMs = 2000;
// While rendering, the toned picture follows the points a few times a second,
// and never takes more than a tenth of the time.
constexpr qint64 kToneFrameMs = 100;
constexpr qint64 kToneCostShare = 10;

bool is_palette_item(int id) {
    return id == app::kCmdPalette || id == app::kCmdPalette1 || id == app::kCmdPalette2;
}

} // namespace

MainWindow::MainWindow(app::Instance& s, Options options)
    : s_(s), options_(options), prompts_(this),
      dialogs_(this), ui_{options.prompts ? *options.prompts : prompts_,
                          options.dialogs ? *options.dialogs : dialogs_, *this} {
    setWindowTitle(QStringLiteral("Morvane"));
    setWindowIcon(program_icon());
    view_ = new CanvasView(s_.window, s_.canvas, this);
    setCentralWidget(view_);
    connect(view_, &CanvasView::clicked, this, [this] { post(app::kCmdRender); });
    connect(view_, &CanvasView::zoom_rect, this, &MainWindow::zoom_to_rect);
    connect(view_, &CanvasView::wheel_steps, this,
            [this](QPoint at, int steps) { zoom_wheel(at.x(), at.y(), steps); });
    pump_ = new RenderPump(
        s_,
        RenderPump::Hooks{
            [this] { drain(); },
            [this] { ui_.prompts.warn(app::kHitcountAllocCaption, app::kHitcountAllocText); },
            [this] { show_frame(); },
        },
        this);
    // The steps' waits hold the next driver call back instead of blocking the
    // window.
    s_.platform.sleep_ms = [pump = pump_](int ms) { pump->hold(ms); };
    add_dialog_views(dialogs_);
    palette_drawn_ = s_.palette;
    build_menus();
    sync_menu();
    set_cursor(app::Cursor::Cross);
    status_timer_.setInterval(kStatusMs);
    connect(&status_timer_, &QTimer::timeout, this, &MainWindow::update_status);
    status_clock_.start();
    tone_clock_.start();
}

MainWindow::~MainWindow() = default;

void MainWindow::build_menus() {
    palette_group_ = new QActionGroup(this);
    palette_group_->setExclusive(true);
    for (const app::Popup& popup : app::main_menu()) {
        QMenu* menu = menuBar()->addMenu(qs(popup.title));
        const auto add_entries = [this](QMenu* m, std::span<const app::MenuEntry> entries,
                                        const auto& self) -> void {
            for (const app::MenuEntry& e : entries) {
                if (e.kind == app::MenuEntry::Separator) {
                    m->addSeparator();
                } else if (e.kind == app::MenuEntry::Submenu) {
                    self(m->addMenu(qs(e.label)), e.children, self);
                } else {
                    // The key is part of the label; the shortcut lives apart so
                    // that the menu does not show it twice.
                    QAction* a = m->addAction(qs(e.label));
                    a->setObjectName(QString::number(e.id));
                    // The palette items show one mark among them, as radio items.
                    if (is_palette_item(e.id)) {
                        a->setCheckable(true);
                        palette_group_->addAction(a);
                    }
                    const int id = e.id;
                    connect(a, &QAction::triggered, this, [this, id] { command(id); });
                    actions_[id] = a;
                    add_shortcut(id, e.key);
                }
            }
        };
        add_entries(menu, popup.entries, add_entries);
    }
    for (const app::KeyOnly& k : app::key_only_commands())
        add_shortcut(k.id, k.key);
}

void MainWindow::add_shortcut(int id, std::string_view key) {
    auto* sc = new QShortcut(QKeySequence(qs(key), QKeySequence::PortableText), this);
    sc->setContext(Qt::WindowShortcut);
    sc->setAutoRepeat(true);
    connect(sc, &QShortcut::activated, this, [this, id] { command(id); });
    shortcuts_[id] = sc;
}

QAction* MainWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QShortcut* MainWindow::shortcut(int id) const {
    const auto it = shortcuts_.find(id);
    return it == shortcuts_.end() ? nullptr : it->second;
}

bool MainWindow::create(std::string_view atr_argument) {
    if (options_.splash) splash(this, 1);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    // The client area is known once the window system has shown the window.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const std::string warning = app::create_main_window(
        s_, view_->width(), view_->height(), QDir::currentPath().toStdString(), atr_argument);
    QScreen* screen = this->screen();
    if (screen != nullptr && screen->depth() < kMinDisplayDepth) return false;
    QTimer::singleShot(0, this, [this, warning] {
        if (!warning.empty()) ui_.prompts.warn(app::load_error_caption(s_.oatrfile), warning);
        drain();
    });
    return true;
}

// Every command that changes the parameter set leaves the set it replaced in
// the history.
void MainWindow::command(int id) {
    s_.search_note.clear();
    if (explore_command(id)) return;
    // A filter draws the picture anew with the palette of now.
    const bool filter =
        id >= app::kCmdNormalize && id <= app::kCmdLogSquared && app::deliverable(s_, id);
    const app::ParameterSnapshot before = app::take_snapshot(s_, s_);
    app::input_command(s_, ui_, id);
    s_.history.changed(before, app::take_snapshot(s_, s_));
    if (filter && !s_.rendering) palette_drawn_ = s_.palette;
    after_commands();
}

void MainWindow::post(int id) {
    app::post_command(s_, id);
    drain();
}

void MainWindow::drain() {
    const app::ParameterSnapshot before = app::take_snapshot(s_, s_);
    app::drain_posted(s_, ui_);
    s_.history.changed(before, app::take_snapshot(s_, s_));
    after_commands();
}

void MainWindow::after_commands() {
    if (ended_) return;
    zoom_refused_ = false;
    sync_menu();
    pump_->sync();
    show_picture_settings();
    flush();
    // The figures move only while rendering; paused, the title is set once.
    if (s_.rendering && !status_timer_.isActive()) status_timer_.start();
    if (!s_.rendering) status_timer_.stop();
    update_status();
}

void MainWindow::sync_menu() {
    for (auto& [id, a] : actions_) {
        a->setEnabled(!app::is_grayed(s_, id));
        if (a->isCheckable()) a->setChecked(app::is_checked(s_, id));
    }
    for (auto& [id, sc] : shortcuts_)
        sc->setEnabled(app::deliverable(s_, id));
}

// Beyond the canvas the window is black, so a smaller new canvas leaves
// nothing of the old picture on screen.
void MainWindow::copy_canvas_to_window() {
    s_.window.fill_rect(Rect{0, 0, s_.window.width(), s_.window.height()}, 0);
    const bool toned = app::toning(s_) && s_.tone.painted;
    const Surface& shown = toned ? s_.tone.picture : s_.canvas;
    const int w = std::min(shown.width(), s_.window.width());
    const int h = std::min(shown.height(), s_.window.height());
    s_.window.copy_from(shown, Rect{0, 0, w, h}, Point{0, 0});
}

// The dots the driver drew since the last toning stay off screen until the
// next one covers them.
void MainWindow::show_frame() {
    if (app::toning(s_)) {
        const qint64 due = std::max(kToneFrameMs, tone_cost_ms_ * kToneCostShare);
        if (s_.rendering && tone_clock_.elapsed() < due) return;
        tone_clock_.restart();
        app::retone(s_);
        tone_cost_ms_ = tone_clock_.elapsed();
    }
    flush();
}

// Whatever changed the picture settings (a loaded picture, Ctrl+Z), the
// density and the picture on view follow them.
void MainWindow::show_picture_settings() {
    app::follow_picture(s_);
    // The density as last filtered, unless none is on view yet: a fresh
    // toning of a large picture takes seconds, the frames bring it up to date.
    if (app::toning(s_)) app::retone(s_, !s_.tone.painted);
    if (tone_ != nullptr && tone_->settings() != s_.picture && !tone_before_)
        tone_->show_settings(s_.picture);
}

void MainWindow::show_tone() {
    if (tone_ == nullptr) {
        tone_ = new ToneWindow(
            [this](const PictureSettings& p, bool settled) { tone_changed(p, settled); }, this);
        // Ctrl+Z and Ctrl+Shift+Z step through the history from there too.
        for (const int id : {app::kCmdUndo, app::kCmdRedo})
            if (const QShortcut* sc = shortcut(id))
                tone_->add_shortcut(sc->key(), [this, id] { command(id); });
        // Beside the picture rather than over it, where the window has room.
        const QRect frame = geometry();
        const QSize size = tone_->sizeHint();
        const int x = std::max(frame.left(), frame.right() - size.width() - 24);
        tone_->move(x, frame.top() + 48);
    }
    tone_->show_settings(s_.picture);
    tone_->show();
    tone_->raise();
    tone_->activateWindow();
}

void MainWindow::tone_changed(const PictureSettings& p, bool settled) {
    if (!tone_before_) tone_before_ = app::take_snapshot(s_, s_);
    const bool was_toning = app::toning(s_);
    const app::PictureChange change = app::apply_picture(s_, p);
    if (settled) {
        s_.history.changed(*tone_before_, app::take_snapshot(s_, s_));
        tone_before_.reset();
    }
    switch (change) {
    case app::PictureChange::None:
        return;
    case app::PictureChange::Retone:
        if (app::toning(s_)) {
            app::retone(s_, false);
            flush();
        } else if (was_toning) {
            repaint_now(); // the defined drawing again
        }
        return;
    case app::PictureChange::Restart:
        if (s_.rendering)
            after_commands();
        else
            post(app::kCmdRender);
        return;
    }
}

void MainWindow::repaint_now() {
    copy_canvas_to_window();
    s_.window.take_dirty();
    view_->repaint();
}

void MainWindow::flush() {
    const Rect r = s_.window.take_dirty();
    if (!r.empty())
        view_->surface_changed(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

void MainWindow::set_cursor(app::Cursor c) {
    switch (c) {
    case app::Cursor::Cross:
        view_->setCursor(Qt::CrossCursor);
        break;
    case app::Cursor::Hourglass:
        view_->setCursor(Qt::BusyCursor);
        break;
    case app::Cursor::Wait:
        view_->setCursor(Qt::WaitCursor);
        break;
    }
}

void MainWindow::quit() {
    quit_confirmed_ = true; // Exit asked already
    close();
}

void MainWindow::show_measure() {
    if (measure_ == nullptr) measure_ = new MeasureWindow(s_, options_.tangents, this);
    measure_->show();
    measure_->raise();
}

// The destruction handling, reached by Exit and by the close box in both
// states.
void MainWindow::closeEvent(QCloseEvent* e) {
    if (ended_) {
        e->accept();
        return;
    }
    if (!quit_confirmed_) {
        // No drawing while the question is open; a cancelled close goes on.
        pump_->stop();
        if (!app::confirm_quit(s_, ui_)) {
            pump_->sync();
            e->ignore();
            return;
        }
    }
    ended_ = true;
    pump_->stop();
    if (measure_ != nullptr) measure_->close();
    if (tone_ != nullptr) tone_->close();
    status_timer_.stop();
    s_.hitcount = std::vector<float>();
    s_.hcres = 0;
    if (options_.splash) {
        s_.window.fill_rect(Rect{0, 0, s_.window.width(), s_.window.height()}, 0);
        view_->repaint();
        splash(this, 2);
    }
    e->accept();
    emit ended();
}

void MainWindow::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    if (s_.window.width() > 0) {
        copy_canvas_to_window();
        flush();
    }
}

} // namespace morv::ui
