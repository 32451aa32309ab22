// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

class QWidget;

namespace morv::ui {

inline constexpr int kSplashSize = 320;
inline constexpr int kSplashMs = 2000;

// The picture of splash 1 (start) or 2 (end): an attractor rendered by the
// engine with the program's name over it, kSplashSize pixels square.
QImage splash_picture(int index);

// Shows splash `index` centred on the screen for two seconds, frameless, with
// `owner` disabled and the cursor hidden; input waits until it is gone.
void splash(QWidget* owner, int index);

// The program's icon at `size` pixels square: Henon's map by hit count on
// black, as dense at every size as the 64-pixel window icon.
QImage icon_picture(int size);

// The window icon, drawn the same way.
QIcon program_icon();

} // namespace morv::ui
