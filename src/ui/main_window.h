#pragma once

#include "app/commands.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_prompts.h"

#include <QMainWindow>
#include <map>
#include <string_view>

class QAction;
class QShortcut;

namespace morv {
struct State;
}

namespace morv::ui {

class CanvasView;
class RenderPump;

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
    };
    MainWindow(State& s, Options options);
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

    State& state() { return s_; }
    app::Ui& ui() { return ui_; }
    QtDialogs& dialogs() { return dialogs_; }
    CanvasView* view() const { return view_; }
    RenderPump* pump() const { return pump_; }
    QAction* action(int id) const;
    QShortcut* shortcut(int id) const;

    // app::Host
    void repaint_now() override;
    void flush() override;
    void set_cursor(app::Cursor c) override;
    void quit() override;

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

    State& s_;
    Options options_;
    QtPrompts prompts_;
    QtDialogs dialogs_;
    app::Ui ui_;
    CanvasView* view_;
    RenderPump* pump_;
    std::map<int, QAction*> actions_;
    std::map<int, QShortcut*> shortcuts_;
    bool ended_ = false;
};

} // namespace morv::ui
