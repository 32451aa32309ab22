// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace morv::app {

struct AppState;
struct Instance;

// One entry of a pop-up menu: a command item, a separator, or a sub-menu.
struct MenuEntry {
    enum Kind { Item, Separator, Submenu } kind = Item;
    int id = 0; // command id of an item
    std::string_view label;
    std::string_view key; // accelerator in portable key-sequence text ("F3", "Alt+C")
    std::span<const MenuEntry> children{};
};

struct Popup {
    std::string_view title; // trailing blanks belong to the title
    std::span<const MenuEntry> entries;
};

// The main menu, left to right.
std::span<const Popup> main_menu();

// Accelerators of commands without a menu item.
struct KeyOnly {
    int id;
    std::string_view key;
};
std::span<const KeyOnly> key_only_commands();

// The menu item of a command, or nullptr when it has none.
const MenuEntry* find_item(int id);

bool is_grayed(const AppState& app, int id);
bool is_checked(const AppState& app, int id);

// Whether the menu or its accelerator delivers the command at all: a grayed
// item's key does nothing, as with the platform's accelerator translation.
bool deliverable(const AppState& app, int id);

// The enabling rules command 165 applies after toggling `rendering`.
void set_menu_for_state(Instance& s);

// Moves the palette check mark to 135, 140 or 145.
void check_palette(AppState& app, int id);

} // namespace morv::app
