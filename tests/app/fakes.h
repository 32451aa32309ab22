// SPDX-License-Identifier: GPL-3.0-or-later
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

// The next scripted answer, or `none` once the script has run out.
template <class T> T next_answer(std::deque<T>& queue, T none) {
    if (queue.empty()) return none;
    T a = std::move(queue.front());
    queue.pop_front();
    return a;
}

// Message boxes and file dialogs answered from a script: questions get the
// queued answers (No when none is left), file dialogs the queued paths
// (Cancel when none is left).
class ScriptedPrompts : public app::Prompts {
  public:
    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<app::SaveChoice> save_answers; // Cancel when none is left
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> file_dialogs, file_dialog_starts; // titles, start paths
    std::function<void()> on_ask;                              // runs while a question is open

    void inform(std::string_view c, std::string_view t) override { show(Shown::Inform, c, t); }
    void warn(std::string_view c, std::string_view t) override { show(Shown::Warn, c, t); }
    bool ask(std::string_view c, std::string_view t) override {
        show(Shown::Ask, c, t);
        if (on_ask) on_ask();
        return next_answer(answers, false);
    }
    app::SaveChoice ask_save(std::string_view c, std::string_view t) override {
        show(Shown::Ask, c, t);
        return next_answer(save_answers, app::SaveChoice::Cancel);
    }
    std::optional<std::string> choose_file(const app::FileDialogSpec& descriptor,
                                           const std::string& last) override {
        file_dialogs.emplace_back(descriptor.title);
        file_dialog_starts.push_back(last);
        return next_answer(files, std::optional<std::string>());
    }
    bool manual_opens = false; // whether a viewer shows the manual
    int manuals_opened = 0;
    bool open_manual() override {
        ++manuals_opened;
        return manual_opens;
    }

  private:
    void show(Shown::Kind k, std::string_view c, std::string_view t) {
        shown.push_back({k, std::string(c), std::string(t)});
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
        const Answer a = next_answer(script[id], Answer{2});
        if (a.edit) a.edit(s);
        return a.result;
    }
};

class FakeHost : public app::Host {
  public:
    int repaints = 0;
    int tone_windows = 0;
    bool quit_called = false;
    std::vector<app::Cursor> cursors;

    void repaint_now() override { ++repaints; }
    void flush() override {}
    void set_cursor(app::Cursor c) override { cursors.push_back(c); }
    void quit() override { quit_called = true; }
    void show_tone() override { ++tone_windows; }
};

// Types `texts` into the fields and checks `checks`, after clearing every
// check first when `alone`.
struct Put {
    int id;
    std::string_view text;
};
using Texts = std::initializer_list<Put>;
inline void type_in(app::Fields& f, Texts texts, std::initializer_list<int> checks = {},
                    bool alone = false) {
    for (const Put& t : texts)
        f.text[t.id] = t.text;
    if (alone) f.checked.clear();
    for (int id : checks)
        f.checked[id] = true;
}

// Opens the form on `s`, types into it as `type_in` does and presses OK.
inline app::FormOutcome ok_with(app::Form& form, app::Instance& s, Texts texts,
                                std::initializer_list<int> checks = {}, bool alone = false) {
    app::Fields f = form.open(s, s);
    type_in(f, texts, checks, alone);
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
    void keys(std::initializer_list<int> ids) {
        for (int id : ids)
            key(id);
    }
    // A dialog answered with button 1 after `edit`.
    void on(int dialog, std::function<void(app::Instance&)> edit = {}) {
        dialogs.script[dialog].push_back({1, std::move(edit)});
    }
};

} // namespace morv::test
