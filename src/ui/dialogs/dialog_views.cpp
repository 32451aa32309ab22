#include "ui/dialogs/dialog_views.h"

#include "app/command_ids.h"
#include "ui/pictures/about_picture.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_prompts.h"

namespace morv::ui {

namespace {

using RunWithPrompts = int (*)(QWidget*, State&, app::Prompts&);

// The dialogs' messages are the main window's, as the dialogs' parent is.
DialogView with_prompts(RunWithPrompts run) {
    return [run](QWidget* parent, State& s) {
        QtPrompts prompts(parent);
        return run(parent, s, prompts);
    };
}

} // namespace

void add_dialog_views(QtDialogs& dialogs) {
    dialogs.add(app::kDlgParameters, with_prompts(run_param_dialog));
    dialogs.add(app::kDlgBackground, with_prompts(run_background_dialog));
    dialogs.add(app::kDlgColoring, with_prompts(run_color_dialog));
    dialogs.add(app::kDlgOptionsChart, run_options_chart);
    dialogs.add(app::kDlgSierpinski, with_prompts(run_sierpinski_dialog));
    dialogs.add(app::kDlgPgmFormula, with_prompts(run_pgm_formula_dialog));
    dialogs.add(app::kDlgPgmParameters, with_prompts(run_pgm_params_dialog));
    dialogs.add(app::kDlgFern, with_prompts(run_ifs_dialog));
    dialogs.add(app::kDlgVolterraLotka, with_prompts(run_vl_dialog));
    dialogs.add(app::kDlgAbout, [](QWidget* parent, State& s) {
        QtPrompts prompts(parent);
        return run_about_window(parent, s, prompts, about_picture);
    });
}

} // namespace morv::ui
