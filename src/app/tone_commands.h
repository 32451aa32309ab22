// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/history.h"
#include "color/tone.h"
#include "core/density.h"
#include "core/params.h"
#include "core/picture.h"

namespace morv {
struct State;
}

namespace morv::app {

struct AppState;
struct Instance;

// What a change of the picture settings asks of the picture on view: nothing,
// toning the density again, or a fresh image (what is accumulated changed).
enum class PictureChange { None, Retone, Restart };
PictureChange picture_change(const PictureSettings& before, const PictureSettings& after);

// Whether going from one parameter set to the other only tones the density
// again (Ctrl+Z over a tone setting keeps the points drawn).
bool only_retoned(const ParameterSnapshot& from, const ParameterSnapshot& to);

// What the density accumulates under these picture settings.
DensitySettings density_settings_of(const PictureSettings& p);

// Whether the picture on view is the toned one.
bool toning(const Instance& s);

// The density the render accumulates follows the picture settings from the
// next fresh image on.
void follow_picture(State& s);

// The picture settings become `next`; a change of what is accumulated starts
// the image afresh. What the change asks of the picture on view.
PictureChange apply_picture(State& s, const PictureSettings& next);

// At a fresh image: the oversampled orbit starts again with it.
void start_fine_orbit(Instance& s);
// The oversampled orbit keeps pace with the image: `calls` more driver calls.
void run_fine_orbit(AppState& app, long long calls);

// At a fresh image drawn on every core: the workers bring the density on
// view (the image's own grid, or the finer one when oversampling), and
// nothing of the image before stays on view.
void start_cores_toning(Instance& s);
// Where the workers' summed density goes for toning; null when the picture
// is not toned.
Density* cores_density(Instance& s);

// The density on view, toned into the tone view's picture and laid onto the
// window surface where the window shows the canvas. Not `fresh`, the density
// as it was last toned is toned again with the settings of now (a slider
// moving: at once, whatever arrived since shows at the next fresh toning).
// False when there is no density to tone or its memory cannot be had.
bool retone(Instance& s, bool fresh = true);

// The density the picture on view is toned from: the image's own, or the
// oversampled orbit's; null when none is being accumulated.
const Density* toned_density(const Instance& s);

} // namespace morv::app
