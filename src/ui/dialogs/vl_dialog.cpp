#include "app/forms/vl_form.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/dialogs/form_dialog.h"

namespace morv::ui {

int run_vl_dialog(QWidget* parent, State& s, app::Prompts& prompts) {
    app::VlForm form;
    return run_form_dialog(form, parent, s, prompts);
}

} // namespace morv::ui
