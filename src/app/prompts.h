// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/file_dialogs.h"

#include <optional>
#include <string>
#include <string_view>

namespace morv::app {

// The answers to "save before quitting?".
enum class SaveChoice { Save, Discard, Cancel };

// Message boxes and file dialogs. The desktop program shows them; tests
// answer them from a script.
class Prompts {
  public:
    virtual ~Prompts() = default;
    // OK button, information icon, no owner window.
    virtual void inform(std::string_view caption, std::string_view text) = 0;
    // OK button, exclamation icon, owned by the main window.
    virtual void warn(std::string_view caption, std::string_view text) = 0;
    // Yes and No buttons, information icon, no owner window; true for Yes.
    virtual bool ask(std::string_view caption, std::string_view text) = 0;
    // Save, Discard and Cancel buttons, question icon, owned by the main
    // window; Esc and the close box answer Cancel.
    virtual SaveChoice ask_save(std::string_view caption, std::string_view text) = 0;
    // The chosen path, or nothing when the dialog was cancelled. `last` is the
    // path chosen last time in this dialog (empty: start in the working
    // directory).
    virtual std::optional<std::string> choose_file(const FileDialogSpec& descriptor,
                                                   const std::string& last) = 0;
    // Shows the installed manual in the desktop's viewer; false when there is
    // no manual or nothing opened it.
    virtual bool open_manual() { return false; }
};

} // namespace morv::app
