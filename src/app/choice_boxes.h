#pragma once

#include <optional>
#include <string_view>

namespace morv {
struct State;
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

// What the box's check box shows and keeps (only the Unity box has one).
struct ChoiceForm {
    bool check = false;
    static ChoiceForm load(const State& s, int id);
    // Either button: the check box state is kept.
    void apply(State& s, int id) const;
};

} // namespace morv::app
