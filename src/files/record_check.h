// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace morv {

struct ATR;
struct ViewWindow;
struct Params;

// The first value of the record that the program could not have saved, as a
// message naming the field and the value, or nothing when every value could
// have been: the record can then be shown and edited by the dialogs.
std::optional<std::string> check_record(const ATR& r);

// The first value of a plot window for `type` (a valid type) that the
// Parameters dialog could not have set, as a message naming the field.
std::optional<std::string> check_window(int type, const ViewWindow& mm);

// The same for what a state would save, plus its plot window and every row
// of the settings table (core/settings.h) the record leaves out, for the
// current type. The resolution is the business of whoever sets it.
std::optional<std::string> check_settings(const Params& ps);

} // namespace morv
