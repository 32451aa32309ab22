// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menu.h"

#include "app/app_state.h"
#include "app/command_ids.h"

#include <array>
#include <initializer_list>

namespace morv::app {

namespace {

constexpr MenuEntry item(int id, std::string_view label, std::string_view key) {
    return MenuEntry{MenuEntry::Item, id, label, key, {}};
}
constexpr MenuEntry separator() {
    return MenuEntry{MenuEntry::Separator, 0, {}, {}, {}};
}

constexpr std::array kFile{
    item(kCmdLoad, "Load Parameter File (L)", "L"),
    item(kCmdSaveImage, "Save Image and Parameters (S)", "S"),
    item(kCmdSaveParameters, "Save Parameters Only (P)", "P"),
    separator(),
    item(kCmdExit, "Exit (Esc)", "Esc"),
};

constexpr std::array kLogNormalization{
    item(kCmdLog, "Hit Count Log (C)", "C"),
    item(kCmdLogSquared, "Hit Count Log Squared (Alt + C)", "Alt+C"),
};

constexpr std::array kRender{
    item(kCmdRender, "Render / Pause / Resume (R)", "R"),
    item(kCmdNormalize, "Normalize (N)", "N"),
    item(kCmdEqualize, "Equalize (E)", "E"),
    MenuEntry{MenuEntry::Submenu, 0, "Hit Count Log Normalization", {}, kLogNormalization},
    separator(),
    item(kCmdMeasure, "Measure (M)", "M"),
    item(kCmdTone, "Tone (T)", "T"),
    separator(),
    item(kCmdCores, "All Cores (Ctrl+R)", "Ctrl+R"),
};

constexpr std::array kOptions{
    item(kCmdType, "Attractor Type (F3)", "F3"),
    separator(),
    item(kCmdParameters, "Parameters (F4)", "F4"),
    item(kCmdRandom, "Random Parameter Set (F5)", "F5"),
    item(kCmdSearchOptions, "Random Search Options... (Ctrl+F5)", "Ctrl+F5"),
    separator(),
    item(kCmdColoring, "Coloring Method (F6)", "F6"),
    item(kCmdBackground, "Background Color (F7)", "F7"),
    item(kCmdPalette, "Palette (F8)", "F8"),
    item(kCmdPalette1, "Default Palette 1 (F9)", "F9"),
    item(kCmdPalette2, "Default Palette 2 (F10)", "F10"),
    separator(),
    item(kCmdClear, "Clear Screen (F11)", "F11"),
};

constexpr std::array kHelp{
    item(kCmdHelp, "Help Topics (F1)", "F1"), separator(),
    item(kCmdAbout, "About (F2)", "F2"),      separator(),
    item(kCmdOptions, "Options (O)", "O"),
};

// Beside the menus above: the exploring additions, so that their keys can be
// found.
constexpr std::array kPan{
    item(kCmdPanLeft, "Left (Left)", "Left"),
    item(kCmdPanRight, "Right (Right)", "Right"),
    item(kCmdPanUp, "Up (Up)", "Up"),
    item(kCmdPanDown, "Down (Down)", "Down"),
};

constexpr std::array kExplore{
    item(kCmdGallery, "Random Gallery (Shift+F5)", "Shift+F5"),
    item(kCmdAnimateHistory, "Animate from History (A)", "A"),
    separator(),
    item(kCmdUndo, "Undo (Ctrl+Z)", "Ctrl+Z"),
    item(kCmdRedo, "Redo (Ctrl+Shift+Z)", "Ctrl+Shift+Z"),
    separator(),
    MenuEntry{MenuEntry::Submenu, 0, "Pan the View", {}, kPan},
    item(kCmdFit, "Fit Image to Window (F)", "F"),
};

constexpr std::array kMenu{
    Popup{"File      ", kFile},
    Popup{"Render      ", kRender},
    Popup{"Options      ", kOptions},
    Popup{"Explore      ", kExplore},
    Popup{"Help", kHelp},
};

constexpr std::array kKeyOnly{
    KeyOnly{kCmdPgmFormula, "G"},
    KeyOnly{kCmdPgmParameters, "Alt+G"},
    KeyOnly{kCmdDebug, "Ctrl+Alt+D"},
};

const MenuEntry* find_in(std::span<const MenuEntry> entries, int id) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Item && e.id == id) return &e;
        if (e.kind == MenuEntry::Submenu)
            if (const MenuEntry* found = find_in(e.children, id)) return found;
    }
    return nullptr;
}

bool& grayed_flag(AppState& app, int id) {
    return app.grayed[static_cast<std::size_t>(id - kFirstCommand)];
}

void set_grayed(AppState& app, std::initializer_list<int> ids, bool grayed) {
    for (int id : ids)
        grayed_flag(app, id) = grayed;
}

} // namespace

std::span<const Popup> main_menu() {
    return kMenu;
}

std::span<const KeyOnly> key_only_commands() {
    return kKeyOnly;
}

const MenuEntry* find_item(int id) {
    for (const Popup& p : kMenu)
        if (const MenuEntry* e = find_in(p.entries, id)) return e;
    return nullptr;
}

bool is_grayed(const AppState& app, int id) {
    // A random search too, and its options.
    if (id == kCmdGallery || id == kCmdSearchOptions) return is_grayed(app, kCmdRandom);
    if (id == kCmdAnimateHistory) return app.rendering; // it draws in the window
    if (id == kCmdCores) return app.rendering;          // a dialog, while paused
    if (id < kFirstCommand || id > kLastCommand) return false;
    return app.grayed[static_cast<std::size_t>(id - kFirstCommand)];
}

bool is_checked(const AppState& app, int id) {
    return id == app.checkedpalette;
}

bool deliverable(const AppState& app, int id) {
    return find_item(id) == nullptr || !is_grayed(app, id);
}

void set_menu_for_state(Instance& s) {
    if (s.rendering) {
        set_grayed(s, {kCmdLoad, kCmdSaveImage, kCmdSaveParameters, kCmdExit}, true);
        set_grayed(s, {kCmdRender}, false);
        set_grayed(s, {kCmdNormalize, kCmdEqualize, kCmdLogSquared, kCmdLog}, true);
        set_grayed(s,
                   {kCmdType, kCmdParameters, kCmdRandom, kCmdColoring, kCmdBackground, kCmdPalette,
                    kCmdPalette1, kCmdPalette2, kCmdClear},
                   true);
        set_grayed(s, {kCmdHelp, kCmdAbout, kCmdOptions}, true);
        return;
    }
    const int method = s.method[s.type];
    set_grayed(s, {kCmdLoad, kCmdSaveImage, kCmdSaveParameters, kCmdExit, kCmdRender}, false);
    // The filters need a hit count of the image's own size.
    set_grayed(s, {kCmdNormalize, kCmdEqualize, kCmdLogSquared, kCmdLog},
               method != kMethodHitCount || s.hcres != s.res);
    set_grayed(s, {kCmdType, kCmdParameters}, false);
    set_grayed(s, {kCmdRandom}, (catalogue[s.type].poptions & kOptRandom) == 0);
    set_grayed(s, {kCmdColoring}, method == kMethodSelf);
    set_grayed(s, {kCmdBackground, kCmdPalette, kCmdPalette1, kCmdPalette2, kCmdClear}, false);
    set_grayed(s, {kCmdHelp, kCmdAbout, kCmdOptions}, false);
}

void check_palette(AppState& app, int id) {
    app.checkedpalette = id;
}

} // namespace morv::app
