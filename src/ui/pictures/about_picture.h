// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace morv::ui {

inline constexpr int kAboutWidth = 470;
inline constexpr int kAboutHeight = 240;

// The about window's picture: the program's name beside a Peter de Jong
// attractor, kAboutWidth x kAboutHeight pixels. A null image when it could
// not be allocated.
QImage about_picture();

} // namespace morv::ui
