#include "ui/qt_dialogs.h"

#include "app/command_ids.h"
#include "ui/dialogs/dialog_views.h"

namespace morv::ui {

int QtDialogs::run(int id, app::Instance& s) {
    const auto it = views_.find(id);
    if (it == views_.end()) return app::kButton2;
    return it->second(parent_, s);
}

void add_standard_views(QtDialogs& dialogs) {
    add_dialog_views(dialogs);
}

} // namespace morv::ui
