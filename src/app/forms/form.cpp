// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/form.h"

#include "app/app_state.h"
#include "app/forms/field_text.h"

namespace morv::app {

std::string_view Fields::text_of(int id) const {
    const auto it = text.find(id);
    return it == text.end() ? std::string_view{} : std::string_view{it->second};
}

bool Fields::is_checked(int id) const {
    const auto it = checked.find(id);
    return it != checked.end() && it->second;
}

int Fields::first_checked(int first, int count) const {
    for (int i = 0; i < count; ++i)
        if (is_checked(first + i)) return i;
    return -1;
}

std::size_t current_type(const Params& ps) {
    return static_cast<std::size_t>(valid_type(ps.type) ? ps.type : 0);
}

void show_fore(const Params& ps, Fields& f, int first) {
    f.text[first] = show_int(red_of(ps.fore));
    f.text[first + 1] = show_int(green_of(ps.fore));
    f.text[first + 2] = show_int(blue_of(ps.fore));
}

void store_fore(Params& ps, const Fields& f, int first) {
    ps.fore = rgb(read_component(f.text_of(first)), read_component(f.text_of(first + 1)),
                  read_component(f.text_of(first + 2)));
}

} // namespace morv::app
