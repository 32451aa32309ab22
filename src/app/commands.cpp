// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commands.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/menu.h"
#include "app/messages.h"

#include <string>

namespace morv::app {

void toggle_rendering(Instance& s, Ui& ui) {
    s.rendering = !s.rendering;
    set_menu_for_state(s);
    ui.host.set_cursor(s.rendering ? Cursor::Hourglass : Cursor::Cross);
}

// Black, not the background colour: the next render start paints that.
void clear_screen(State& s, Ui& ui) {
    s.window.fill_rect(s.ClientRes, 0);
    s.canvas.fill_rect(Rect{0, 0, s.res, s.res}, 0);
    s.fresh_image = true;
    ui.host.flush();
}

namespace {

void toggle_debug(AppState& app, Ui& ui) {
    app.debugflag = 1 - app.debugflag;
    ui.prompts.inform(kDebugCaption,
                      std::string(kDebugPrefix) + (app.debugflag ? kDebugEnabled : kDebugDisabled));
}

void about(Instance& s, Ui& ui) {
    s.aboutflag = 1;
    ui.dialogs.run(kDlgAbout, s);
}

void help(Ui& ui) {
    if (ui.prompts.open_manual()) return;
    ui.prompts.inform(kProgramCaption, std::string(kHelpText) + "\n\n" + kMouseHelpText);
}

void options_chart(Instance& s, Ui& ui) {
    ui.dialogs.run(kDlgOptionsChart, s);
}

// Measuring does not stop the picture: it runs beside it, on its own copy.
void measure(Ui& ui) {
    ui.host.show_measure();
}

// Toning does not stop the picture either: the sliders re-tone it as it grows.
void tone_window(Ui& ui) {
    ui.host.show_tone();
}

void quit(Instance& s, Ui& ui) {
    if (confirm_quit(s, ui)) ui.host.quit();
}

// When a command is carried out: Render/Pause always, the others only while
// rendering is paused, the PGM dialogs only for the PGM type.
using Condition = bool (*)(const Params& ps, const AppState& app);

bool always(const Params&, const AppState&) {
    return true;
}

bool paused(const Params&, const AppState& app) {
    return !app.rendering;
}

bool paused_on_pgm(const Params& ps, const AppState& app) {
    return paused(ps, app) && ps.type == kTypePgm;
}

using Handler = void (*)(Instance& s, Ui& ui, int id);

// Most handlers do not need the id that reached them; each takes the parts
// of the instance it uses, or only the window's services.
template <auto F> void plain(Instance& s, Ui& ui, int) {
    F(s, ui);
}
template <void (*F)(Ui&)> void ui_only(Instance&, Ui& ui, int) {
    F(ui);
}

void palette_by_id(Instance& s, Ui&, int id) {
    default_palette(s, id);
}

struct CommandEntry {
    int id;
    Condition condition;
    Handler handler;
};

constexpr CommandEntry kCommands[] = {
    {kCmdRender, always, plain<toggle_rendering>},
    {kCmdHelp, paused, ui_only<help>},
    {kCmdAbout, paused, plain<about>},
    {kCmdType, paused, plain<choose_type>},
    {kCmdParameters, paused, plain<edit_parameters>},
    {kCmdRandom, paused, plain<random_parameters>},
    {kCmdColoring, paused, plain<edit_coloring>},
    {kCmdBackground, paused, plain<edit_background>},
    {kCmdPalette, paused, plain<load_palette>},
    {kCmdPalette1, paused, palette_by_id},
    {kCmdPalette2, paused, palette_by_id},
    {kCmdClear, paused, plain<clear_screen>},
    {kCmdLoad, paused, plain<load_parameters>},
    {kCmdSaveParameters, paused, plain<save_parameters>},
    {kCmdNormalize, paused, run_filter},
    {kCmdEqualize, paused, run_filter},
    {kCmdLog, paused, run_filter},
    {kCmdLogSquared, paused, run_filter},
    {kCmdSaveImage, paused, plain<save_image>},
    {kCmdExit, paused, plain<quit>},
    {kCmdOptions, paused, plain<options_chart>},
    {kCmdPgmFormula, paused_on_pgm, plain<pgm_formula>},
    {kCmdPgmParameters, paused_on_pgm, plain<pgm_parameters>},
    {kCmdDebug, paused, plain<toggle_debug>},
    {kCmdMeasure, always, ui_only<measure>},
    {kCmdTone, always, ui_only<tone_window>},
};

} // namespace

bool confirm_quit(Instance& s, Ui& ui) {
    // A few seconds: less is quickly drawn again; a picture about to start
    // afresh (cleared, or its settings changed) has nothing to keep.
    constexpr long long kUnsavedWorkNs = 5'000'000'000LL;
    if (s.unsaved_ns <= kUnsavedWorkNs || s.fresh_image) return true;
    switch (ui.prompts.ask_save(kProgramCaption, kSaveBeforeQuitText)) {
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        return false;
    case SaveChoice::Save:
        break;
    }
    save_image(s, ui);
    return s.unsaved_ns == 0;
}

void dispatch(Instance& s, Ui& ui, int id) {
    for (const CommandEntry& c : kCommands) {
        if (c.id != id) continue;
        if (c.condition(s, s)) c.handler(s, ui, id);
        return;
    }
    // not a command of this window
}

void post_command(AppState& app, int id) {
    app.posted.push_back(id);
}

bool take_outcome(AppState& app, Outcome o) {
    app.outcome = o;
    if (!pauses(o)) return false;
    post_command(app, kCmdRender);
    return true;
}

void drain_posted(Instance& s, Ui& ui) {
    while (!s.posted.empty()) {
        const int id = s.posted.front();
        s.posted.pop_front();
        dispatch(s, ui, id);
    }
}

void input_command(Instance& s, Ui& ui, int id) {
    if (!deliverable(s, id)) return;
    dispatch(s, ui, id);
    drain_posted(s, ui);
}

} // namespace morv::app
