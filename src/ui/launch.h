// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace morv::ui {

// The one line printed when the desktop program cannot open a window.
inline constexpr const char* kNoDisplayText =
    "morvane: needs a graphical display and found none; morvane-render draws the same images "
    "without one (see morvane-render --help)\n";

// Whether Qt will find a display: `platform` is QT_QPA_PLATFORM or a -platform
// argument (a ';'-separated list of plugins tried in turn), `display` and
// `wayland` are DISPLAY and WAYLAND_DISPLAY; null or empty means unset.
bool display_available(const char* platform, const char* display, const char* wayland);

// What the desktop program settles before Qt starts, since Qt aborts the
// process when it finds no display: --version and --help are answered, and a
// machine without a display is told where to turn. Returns the exit status
// when the program ends here, nothing when Qt may start.
std::optional<int> answer_before_qt(int argc, const char* const* argv);

} // namespace morv::ui
