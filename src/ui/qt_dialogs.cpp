#include "ui/qt_dialogs.h"

#include "app/command_ids.h"
#include "ui/choice_box_view.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/type_dialog.h"

namespace morv::ui {

int QtDialogs::run(int id, State& s) {
    const auto it = views_.find(id);
    if (it == views_.end()) return app::kButton2;
    return it->second(parent_, s);
}

// The views of the other dialogs are added here as they come.
void add_standard_views(QtDialogs& dialogs) {
    dialogs.add(app::kDlgType, run_type_dialog);
    for (int id : {app::kDlgBifurcation, app::kDlgBasin, app::kDlgUnity, app::kDlgRossler})
        dialogs.add(id, [id](QWidget* parent, State& s) { return run_choice_box(id, parent, s); });
    add_dialog_views(dialogs);
}

} // namespace morv::ui
