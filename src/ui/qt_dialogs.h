// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/dialogs.h"

#include <functional>
#include <map>

class QWidget;

namespace morv::ui {

// The modal dialogs of the desktop program: one view per dialog id, each
// built from its form in src/app. A view runs modally over `parent` and
// returns app::kButton1 or app::kButton2.
using DialogView = std::function<int(QWidget* parent, app::Instance& s)>;

class QtDialogs : public app::Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    void add(int id, DialogView view) { views_[id] = std::move(view); }
    bool has(int id) const { return views_.count(id) != 0; }

    // A dialog without a view yet answers like Cancel.
    int run(int id, app::Instance& s) override;

  private:
    QWidget* parent_;
    std::map<int, DialogView> views_;
};

} // namespace morv::ui
