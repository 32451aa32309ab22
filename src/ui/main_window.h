// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/app_state.h"
#include "app/commands.h"
#include "app/gallery.h"
#include "app/zoom.h"
#include "core/tangent.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_prompts.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class QAction;
class QActionGroup;
class QShortcut;

namespace morv::app {
struct Instance;
}

namespace morv::ui {

class CanvasView;
class RenderPump;
class MeasureWindow;
class ToneWindow;

// The main window: menus and keys deliver command ids, the client area shows
// the window surface, and the render pump runs the driver while rendering.
class MainWindow : public QMainWindow, public app::Host {
    Q_OBJECT
  public:
    struct Options {
        bool splash = true;
        // Replacements for the Qt message boxes and dialogs (tests script them).
        app::Prompts* prompts = nullptr;
        app::Dialogs* dialogs = nullptr;
        // The maps' derivatives for the Measure window (nothing to measure without).
        const TangentTable* tangents = nullptr;
    };
    MainWindow(app::Instance& s, Options options);
    ~MainWindow() override;

    // The creation handling: splash 1, the window shown filling the screen's
    // available area, the window surface made at the client area's size, the
    // parameter file of the command line loaded (silently), command 165
    // posted. False when the display has fewer than 24 bits per pixel.
    bool create(std::string_view atr_argument);

    // A command from the menu, a key or a click, and what follows it.
    void command(int id);
    // Queues a command as the window posts it to itself.
    void post(int id);

    app::Instance& state() { return s_; }
    app::Ui& ui() { return ui_; }
    QtDialogs& dialogs() { return dialogs_; }
    CanvasView* view() const { return view_; }
    RenderPump* pump() const { return pump_; }
    QAction* action(int id) const;
    QShortcut* shortcut(int id) const;
    const app::History& history() const { return s_.history; }

    // The mouse's zooms: a dragged rectangle of canvas pixels, or wheel steps
    // (positive: in) about a canvas pixel. A type that draws at a fixed scale
    // refuses them in the title.
    void zoom_to_rect(app::PixelRect r);
    void zoom_wheel(int x, int y, int steps);
    // The arrow keys: the view moved by fractions of its span.
    void pan(double fx, double fy);
    // The random gallery (Shift+F5), and adopting one of its candidates.
    void open_gallery();
    void adopt(const app::GalleryCandidate& c);
    // Random Search Options (Ctrl+F5): what steers F5 and the gallery.
    void open_search_options();
    // Animate from History (A): the history's sets of this type previewed as
    // an animation.
    void animate_history();
    // Ctrl+Z and Ctrl+Shift+Z: the parameter set before or after this one.
    void step_history(bool back);
    // The title: program, type, state, points drawn, points per second.
    void update_status();

    // app::Host
    void repaint_now() override;
    void flush() override;
    void set_cursor(app::Cursor c) override;
    void quit() override;
    void show_measure() override;
    MeasureWindow* measure_window() const { return measure_; }
    void show_tone() override;
    ToneWindow* tone_window() const { return tone_; }
    // The Tone window's controls moved: the picture is toned again at once, or
    // starts afresh when what it accumulates changed. A gesture's end records
    // one step of the history.
    void tone_changed(const PictureSettings& p, bool settled);
    void pin_window_rect(const Rect& r) override;

  signals:
    // The window was destroyed: the program ends.
    void ended();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

  private:
    void build_menus();
    void add_shortcut(int id, std::string_view key);
    void drain();
    void after_commands();
    void sync_menu();
    void copy_canvas_to_window();
    // The pump's frame: the toned picture is toned again every so often, the
    // defined one shows what was drawn.
    void show_frame();
    void show_picture_settings();
    void show_new_set(const app::ParameterSnapshot& before);
    bool explore_command(int id);
    bool can_zoom();
    void set_view(const ViewWindow& view);
    std::string status_note() const;

    app::Instance& s_;
    Options options_;
    QtPrompts prompts_;
    QtDialogs dialogs_;
    app::Ui ui_;
    CanvasView* view_;
    RenderPump* pump_;
    MeasureWindow* measure_ = nullptr;
    ToneWindow* tone_ = nullptr;
    std::optional<app::ParameterSnapshot> tone_before_; // the set a slider's gesture started from
    QElapsedTimer tone_clock_;                          // since the last toning while rendering
    qint64 tone_cost_ms_ = 0;                           // what the last toning took
    QActionGroup* palette_group_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<int, QShortcut*> shortcuts_;
    bool ended_ = false;
    bool quit_confirmed_ = false; // Exit has asked about unsaved work
    QTimer status_timer_;
    QElapsedTimer status_clock_;
    long long status_calls_ = 0; // the pump's calls at the last status
    double status_rate_ = 0;
    Palette palette_drawn_{};   // the palette of the picture on view
    bool zoom_refused_ = false; // a zoom was refused since the last command
};

} // namespace morv::ui
