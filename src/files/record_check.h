#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morv {

struct ATR;
struct MINMAX;
struct Params;

// A closed interval of values a user can give one setting.
struct Limits {
    double lo = 0, hi = 0;
    bool admits(double v) const { return v >= lo && v <= hi; } // never NaN
};

// What the Parameters dialog, the random search and the type's own defaults
// can put into a..d (k 0..3) and sp0, sp1 (k 0..1) of `type`: the dialog's
// range widened to take in the default and the random search's draws, so that
// every set the program itself can reach passes.
Limits coefficient_limits(int type, int k);
Limits special_limits(int type, int k);
// The plot window's bounds: the type's window limits, widened to its default.
Limits window_x_limits(int type);
Limits window_y_limits(int type);

// "rot.x is 1e+300; it must lie in 0..360"
std::string out_of_range_text(std::string_view name, double value, double lo, double hi);

// The first value of the record that the program could not have saved, as a
// message naming the field and the value, or nothing when every value could
// have been: the record can then be shown and edited by the dialogs.
std::optional<std::string> check_record(const ATR& r);

// The first value of a plot window for `type` (a valid type) that the
// Parameters dialog could not have set, as a message naming the field.
std::optional<std::string> check_window(int type, const MINMAX& mm);

// The same for what a state would save, plus the settings a record leaves
// out (plot window, speed, line width, rotation order, the option flags and
// the Gingerbread Men scale) of the current type. The resolution is the
// business of whoever sets it.
std::optional<std::string> check_settings(const Params& s);

} // namespace morv
