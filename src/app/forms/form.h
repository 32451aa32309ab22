// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morv {
struct Params;
}
namespace morv::app {
struct AppState;
struct Instance;
} // namespace morv::app

namespace morv::app {

// What the controls of a dialog hold, keyed by control id: the text of edit
// fields and of the labels a form sets, the state of radio buttons and check
// boxes, which controls are enabled, and slider positions. A form fills one
// when the dialog opens; the view hands back what the user left in it.
struct Fields {
    std::map<int, std::string> text;
    std::map<int, bool> checked;
    std::map<int, bool> enabled; // only the controls whose enabling a form decides
    std::map<int, int> position;

    std::string_view text_of(int id) const;
    bool is_checked(int id) const;
    // The index of the first checked of `count` buttons from `first`, or -1.
    int first_checked(int first, int count) const;
};

// Controls of a dialog template, which always ends with "OK" (1) on the left
// and "Cancel" (2) on the right: Enter is OK, Esc and the close box Cancel. The view lays them out
// on a grid inside their parent (the dialog itself or a group box); only where things sit is its
// own.
enum class ControlKind { Label, Edit, Radio, Check, Group, Slider };

// Labels and group boxes without an id of their own in the template.
inline constexpr int kNoId = -1;

enum class Align { Left, Center, Right };

struct Control {
    ControlKind kind;
    int id;
    std::string_view text;
    int parent = 0; // 0: the dialog; otherwise the id of a group box
    int row = 0, column = 0, rows = 1, columns = 1;
    Align align = Align::Left;
};

// The two buttons under the controls.
struct Buttons {
    std::string_view button1 = "OK", button2 = "Cancel";
    bool at_edges = false;         // in the corners; otherwise centred side by side
    bool enter_is_button1 = false; // Enter presses button 1 wherever the focus is
};

struct DialogSpec {
    int id;
    std::string_view caption;
    std::span<const Control> controls;
    int slider_max = 0;  // sliders run from 0 to this
    int edit_chars = 19; // edit fields show this many characters, "%.15f" of 256 included
    Buttons buttons = {};
    bool close_box = true;
    bool one_radio_group = false; // all radio buttons exclusive, whatever box they sit in
};

// A message box a form asks for.
struct Message {
    enum class Kind {
        Inform,      // OK, information icon, no owner
        Warn,        // OK, exclamation icon, owned by the main window
        WarnUnowned, // OK, exclamation icon, no owner
    };
    Kind kind;
    std::string caption;
    std::string text;
};

// What an OK did: whether the dialog ends (with 1) or stays open, and the
// message boxes to show first.
struct FormOutcome {
    bool close = true;
    std::vector<Message> messages;
};

// The toolkit-free half of a dialog: the view shows `open`'s fields and calls
// `ok` or `cancel` with what the user left in them. Opening reads the
// parameters and the application's settings; an OK may also measure the new
// set or ask for a fresh image, so it takes the whole instance.
class Form {
  public:
    virtual ~Form() = default;
    virtual const DialogSpec& description() const = 0;
    virtual Fields open(const Params& ps, const AppState& app) = 0;
    virtual FormOutcome ok(Instance& s, const Fields& f) = 0;
    // Cancel, Esc and the close box, with what the controls hold. The dialog
    // ends with 2.
    virtual void cancel(Params&, const Fields&) {}
    // A slider moved (while the dialog is open).
    virtual void slider_moved(AppState&, int /*id*/, int /*position*/) {}
};

// The current type as an index; a state never holds another, but an index
// must stay in range whatever a file put there.
std::size_t current_type(const Params& ps);

// The monochrome colour `fore` in three fields from `first` (red, green, blue).
void show_fore(const Params& ps, Fields& f, int first);
void store_fore(Params& ps, const Fields& f, int first);

} // namespace morv::app
