#include "app/forms/pgm_form.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/dialogs/form_dialog.h"

namespace morv::ui {

int run_pgm_formula_dialog(QWidget* parent, State& s, app::Prompts& prompts) {
    app::PgmFormulaForm form;
    return run_form_dialog(form, parent, s, prompts);
}

} // namespace morv::ui
