#include "app/forms/ifs_form.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/dialogs/form_dialog.h"

namespace morv::ui {

int run_ifs_dialog(QWidget* parent, State& s, app::Prompts& prompts) {
    app::IfsForm form;
    return run_form_dialog(form, parent, s, prompts);
}

} // namespace morv::ui
