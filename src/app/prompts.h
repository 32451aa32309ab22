#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morv::app {

// An open or save file dialog: its filter, title and default suffix.
struct FileDialogSpec {
    std::string_view filter; // description, e.g. "ATR files (*.atr)"
    std::string_view pattern;
    std::string_view title;
    std::string_view suffix; // appended when the user types a name without one
    bool save;               // a save dialog asks before overwriting
};

inline constexpr FileDialogSpec kMapOpenDialog{"Fractint .map files (*.map)", "*.map",
                                               "Select a Fractint .MAP File", "map", false};
inline constexpr FileDialogSpec kImageSaveDialog{
    "Targa files (*.tga)", "*.tga", "Select a file for saving your image:", "tga", true};
inline constexpr FileDialogSpec kAtrOpenDialog{"ATR files (*.atr)", "*.atr",
                                               "Select an ATR parameter file:", "atr", false};
inline constexpr FileDialogSpec kAtrSaveDialog{"ATR files (*.atr)", "*.atr",
                                               "Select a file for saving parameters:", "atr", true};

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
    // The chosen path, or nothing when the dialog was cancelled. `last` is the
    // path chosen last time in this dialog (empty: start in the working
    // directory).
    virtual std::optional<std::string> choose_file(const FileDialogSpec& spec,
                                                   const std::string& last) = 0;
};

} // namespace morv::app
