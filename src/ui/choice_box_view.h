#pragma once

#include "app/choice_boxes.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace morv::ui {

// A two-button choice box: button 1 (left) ends it with 1, button 2 (right)
// and Esc with 2, Enter presses button 1. No close box.
class ChoiceBoxView : public QDialog {
    Q_OBJECT
  public:
    ChoiceBoxView(const app::ChoiceBox& box, const app::ChoiceForm& form,
                  QWidget* parent = nullptr);
    app::ChoiceForm form() const;
    // kButton1 or kButton2 from the dialog's result.
    static int answer(int dialog_result);

    QPushButton* button1() const { return button1_; }
    QPushButton* button2() const { return button2_; }
    QCheckBox* check() const { return check_; }

  private:
    QPushButton* button1_;
    QPushButton* button2_;
    QCheckBox* check_ = nullptr;
};

// Runs box `id` on `s`; the check box state is kept whichever button ends it.
int run_choice_box(int id, QWidget* parent, State& s);

} // namespace morv::ui
