#include "app/commands.h"

#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/menu.h"
#include "app/messages.h"
#include "core/state.h"

#include <string>

namespace morv::app {

void toggle_rendering(State& s, Ui& ui) {
    s.okrun = 1 - s.okrun;
    set_menu_for_state(s);
    ui.host.set_cursor(s.okrun ? Cursor::Hourglass : Cursor::Cross);
}

// Black, not the background colour: the next render start paints that.
void clear_screen(State& s, Ui& ui) {
    s.window.fill_rect(s.ClientRes, 0);
    s.canvas.fill_rect(Rect{0, 0, s.res, s.res}, 0);
    s.firstloop = 1;
    ui.host.flush();
}

namespace {

void toggle_debug(State& s, Ui& ui) {
    s.debugflag = 1 - s.debugflag;
    ui.prompts.inform(kDebugCaption,
                      std::string(kDebugPrefix) + (s.debugflag ? kDebugEnabled : kDebugDisabled));
}

void about(State& s, Ui& ui) {
    s.aboutflag = 1;
    ui.dialogs.run(kDlgAbout, s);
}

} // namespace

void dispatch(State& s, Ui& ui, int id) {
    if (id == kCmdRender) {
        toggle_rendering(s, ui);
        return;
    }
    if (s.okrun) return;
    switch (id) {
    case kCmdHelp:
        ui.prompts.inform(kProgramCaption, kHelpText);
        break;
    case kCmdAbout:
        about(s, ui);
        break;
    case kCmdType:
        choose_type(s, ui);
        break;
    case kCmdParameters:
        edit_parameters(s, ui);
        break;
    case kCmdRandom:
        random_parameters(s, ui);
        break;
    case kCmdColoring:
        edit_coloring(s, ui);
        break;
    case kCmdBackground:
        edit_background(s, ui);
        break;
    case kCmdPalette:
        load_palette(s, ui);
        break;
    case kCmdPalette1:
    case kCmdPalette2:
        default_palette(s, id);
        break;
    case kCmdClear:
        clear_screen(s, ui);
        break;
    case kCmdLoad:
        load_parameters(s, ui);
        break;
    case kCmdSaveParameters:
        save_parameters(s, ui);
        break;
    case kCmdNormalize:
    case kCmdEqualize:
    case kCmdLog:
    case kCmdLogSquared:
        run_filter(s, ui, id);
        break;
    case kCmdSaveImage:
        save_image(s, ui);
        break;
    case kCmdExit:
        ui.host.quit();
        break;
    case kCmdOptions:
        ui.dialogs.run(kDlgOptionsChart, s);
        break;
    case kCmdPgmFormula:
        pgm_formula(s, ui);
        break;
    case kCmdPgmParameters:
        pgm_parameters(s, ui);
        break;
    case kCmdDebug:
        toggle_debug(s, ui);
        break;
    default:
        break; // not a command of this window
    }
}

void drain_posted(State& s, Ui& ui) {
    while (!s.posted.empty()) {
        const int id = s.posted.front();
        s.posted.pop_front();
        dispatch(s, ui, id);
    }
}

void input_command(State& s, Ui& ui, int id) {
    if (!deliverable(s, id)) return;
    dispatch(s, ui, id);
    drain_posted(s, ui);
}

} // namespace morv::app
