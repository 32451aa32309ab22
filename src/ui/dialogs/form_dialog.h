// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

#include <QDialog>
#include <map>

class QSlider;

namespace morv::app {
struct Instance;
}
namespace morv::app {
class Prompts;
}

namespace morv::ui {

// A dialog built from a form's template: labels, edit fields, radio buttons
// (those sharing a parent are one exclusive group, unless the template makes
// them all one), check boxes, group boxes and a slider, each named by its
// control id, then its two buttons, "OK" (1) and "Cancel" (2) unless the
// template names them. OK hands the controls' contents to the form and
// closes only when the form accepts them; Cancel, Esc and the close box let
// the form cancel.
class FormDialog : public QDialog {
    Q_OBJECT
  public:
    FormDialog(app::Form& form, app::Instance& s, app::Prompts& prompts, QWidget* parent = nullptr);

    // The control with this id (1 and 2 are the buttons), or nullptr.
    QWidget* control(int id) const;
    // What the controls hold now.
    app::Fields fields() const;

    void accept() override;
    void reject() override;

  private:
    void show_fields(const app::Fields& f);
    void add_buttons(const app::Buttons& buttons);
    void order_tabs(const app::DialogSpec& description);

    app::Form& form_;
    app::Instance& s_;
    app::Prompts& prompts_;
    std::map<int, QWidget*> controls_;
};

// Runs the form's dialog modally over `parent`: 1 after an accepted OK, 2
// after Cancel or Esc.
int run_form_dialog(app::Form& form, QWidget* parent, app::Instance& s, app::Prompts& prompts);

// The same for the form of dialog `id` (make_form), the Parameters dialog
// measuring with the driver's step functions; 2 for an id without a form.
int run_form_dialog(int id, QWidget* parent, app::Instance& s, app::Prompts& prompts);

// Shows the message boxes a form asked for.
void show_messages(const std::vector<app::Message>& messages, app::Prompts& prompts);

} // namespace morv::ui
