// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/dialog_views.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/forms/forms.h"
#include "ui/dialogs/form_dialog.h"
#include "ui/pictures/about_picture.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_prompts.h"

namespace morv::ui {

void add_dialog_views(QtDialogs& dialogs) {
    // The dialogs' messages are the main window's, as the dialogs' parent is.
    for (int id : app::form_dialog_ids()) {
        dialogs.add(id, [id](QWidget* parent, app::Instance& s) {
            QtPrompts prompts(parent);
            return run_form_dialog(id, parent, s, prompts);
        });
    }
    dialogs.add(app::kDlgOptionsChart,
                [](QWidget* parent, app::Instance&) { return run_options_chart(parent); });
    dialogs.add(app::kDlgAbout, [](QWidget* parent, app::Instance& s) {
        QtPrompts prompts(parent);
        return run_about_window(parent, s, prompts, about_picture);
    });
}

} // namespace morv::ui
