#pragma once

#include "app/app_state.h"
#include "app/commands.h"
#include "app/forms/form.h"
#include "app/menu.h"
#include "formulas/steps.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace morv::test {

// A message box as it was shown.
struct Shown {
    enum Kind { Inform, Warn, Ask } kind;
    std::string caption, text;
    bool operator==(const Shown&) const = default;
};
inline void PrintTo(const Shown& b, std::ostream* os) {
    *os << "{" << b.kind << ", \"" << b.caption << "\", \"" << b.text << "\"}";
}

// Message boxes and file dialogs answered from a script: questions get the
// queued answers (No when none is left), file dialogs the queued paths
// (Cancel when none is left).
class ScriptedPrompts : public app::Prompts {
  public:
    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> file_dialogs;       // their titles, in order
    std::vector<std::string> file_dialog_starts; // the paths they started from
    std::function<void()> on_ask;                // runs while a question is open

    void inform(std::string_view caption, std::string_view text) override {
        shown.push_back({Shown::Inform, std::string(caption), std::string(text)});
    }
    void warn(std::string_view caption, std::string_view text) override {
        shown.push_back({Shown::Warn, std::string(caption), std::string(text)});
    }
    bool ask(std::string_view caption, std::string_view text) override {
        shown.push_back({Shown::Ask, std::string(caption), std::string(text)});
        if (on_ask) on_ask();
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> choose_file(const app::FileDialogSpec& descriptor,
                                           const std::string& last) override {
        file_dialogs.emplace_back(descriptor.title);
        file_dialog_starts.push_back(last);
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

// Dialogs answered from a script per dialog id: each answer may edit the
// state as the user would; an unscripted dialog answers 2 (Cancel).
class ScriptedDialogs : public app::Dialogs {
  public:
    struct Answer {
        int result;
        std::function<void(app::Instance&)> edit = {};
    };
    std::map<int, std::deque<Answer>> script;
    std::vector<int> opened;

    int run(int id, app::Instance& s) override {
        opened.push_back(id);
        auto& queue = script[id];
        if (queue.empty()) return 2;
        Answer a = queue.front();
        queue.pop_front();
        if (a.edit) a.edit(s);
        return a.result;
    }
};

class FakeHost : public app::Host {
  public:
    int repaints = 0, flushes = 0;
    bool quit_called = false;
    std::vector<app::Cursor> cursors;

    void repaint_now() override { ++repaints; }
    void flush() override { ++flushes; }
    void set_cursor(app::Cursor c) override { cursors.push_back(c); }
    void quit() override { quit_called = true; }
};

// Opens the form on `s`, lets `edit` change the fields and presses OK.
inline app::Outcome press_ok(app::Form& form, app::Instance& s,
                             const std::function<void(app::Fields&)>& edit) {
    app::Fields f = form.open(s);
    edit(f);
    return form.ok(s, f);
}

// A paused program instance with a 700 x 500 window, as after the start-up
// image paused itself.
struct Harness {
    app::Instance s;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    FakeHost host;
    app::Ui ui{prompts, dialogs, host};

    Harness() {
        s.steps = &fpointer;
        s.intro = 0;
        attach_window(s, 700, 500);
        app::set_menu_for_state(s);
    }
    // A key or menu command and the commands it posts.
    void key(int id) { app::input_command(s, ui, id); }
};

} // namespace morv::test
