// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_dialogs.h"

#include "app/command_ids.h"

namespace morv::ui {

int QtDialogs::run(int id, app::Instance& s) {
    const auto it = views_.find(id);
    if (it == views_.end()) return app::kButton2;
    return it->second(parent_, s);
}

} // namespace morv::ui
