// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"

#include <array>
#include <string_view>

namespace morv::app {
struct Instance;
}

namespace morv::app {

// A two-button choice box: a text, button 1 on the left and button 2 on the
// right, no OK, Cancel or close box. Enter answers like button 1, Esc like
// button 2.
struct ChoiceBox {
    int id;
    std::string_view caption;
    std::string_view text;
    std::string_view button1, button2;
    std::string_view check_label; // empty: no check box
    int check_id = 0;
};

// The box of dialog `id` (900, 950, 1000 or 1100), or nullptr.
const ChoiceBox* find_choice_box(int id);

// A choice box as a dialog: its text, the check box where it has one, and its
// two buttons in the corners; Enter presses button 1 wherever the focus is.
class ChoiceBoxForm : public Form {
  public:
    explicit ChoiceBoxForm(const ChoiceBox& box);
    ChoiceBoxForm(const ChoiceBoxForm&) = delete; // the description points into the object
    ChoiceBoxForm& operator=(const ChoiceBoxForm&) = delete;
    const DialogSpec& description() const override { return spec_; }
    Fields open(const Params& ps, const AppState& app) override;
    // Either button: the check box state is kept.
    FormOutcome ok(Instance& s, const Fields& f) override;
    void cancel(Params& ps, const Fields& f) override;

  private:
    void keep_check(Params& ps, const Fields& f) const;

    const ChoiceBox& box_;
    std::array<Control, 2> controls_;
    DialogSpec spec_;
};

} // namespace morv::app
