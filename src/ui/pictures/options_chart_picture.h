// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace morv::ui {

// The options chart: every attractor type with a '+' when its parameters can
// be changed and a '$' when they can be chosen at random.
QImage options_chart_picture();

} // namespace morv::ui
