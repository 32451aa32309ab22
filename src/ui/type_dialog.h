#pragma once

#include "app/type_form.h"

#include <QDialog>
#include <array>

class QRadioButton;

namespace morv::ui {

// Dialog 200: the 38 attractor types as one group of radio buttons (object
// names are the control ids 220..257), OK and Cancel.
class TypeDialog : public QDialog {
    Q_OBJECT
  public:
    TypeDialog(const app::TypeForm& form, QWidget* parent = nullptr);
    app::TypeForm form() const;
    QRadioButton* radio(int type) const { return radios_[static_cast<std::size_t>(type)]; }

  private:
    std::array<QRadioButton*, NTYPES> radios_{};
};

// Runs the dialog on `s`: kButton1 after OK (the type set), kButton2 after
// Cancel or Esc.
int run_type_dialog(QWidget* parent, State& s);

} // namespace morv::ui
