// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tone_commands.h"

#include "app/app_state.h"
#include "core/run_calls.h"
#include "formulas/kernels.h"

#include <algorithm>

namespace morv::app {

namespace {

int oversample_of(const PictureSettings& p) {
    return std::clamp(p.oversample, 1, 4);
}

// The orbit on the finer grid only counts: no canvas, no window, no waits.
void ready_fine_context(Instance& s, int oversample) {
    ToneView& t = s.tone;
    t.fine_params = s;
    t.fine_params.res = s.res * oversample;
    t.fine_params.dres = t.fine_params.res;
    t.fine = RenderContext{};
    RenderContext& f = t.fine;
    f.intro = 0;
    f.stormflag = s.stormflag;
    f.paints_canvas = false;
    f.steps = s.steps;
    f.rng = s.rng;
    f.platform = s.platform;
    f.platform.sleep_ms = [](int) {};
    f.density.want(true, density_settings_of(s.picture));
}

} // namespace

PictureChange picture_change(const PictureSettings& before, const PictureSettings& after) {
    if (before == after) return PictureChange::None;
    // Switched off, the defined drawing goes on; switched on, a density must
    // be gathered from the start.
    if (before.tone != after.tone)
        return after.tone ? PictureChange::Restart : PictureChange::Retone;
    if (after.tone && (before.oversample != after.oversample || before.color_by != after.color_by))
        return PictureChange::Restart;
    return after.tone ? PictureChange::Retone : PictureChange::None;
}

bool only_retoned(const ParameterSnapshot& from, const ParameterSnapshot& to) {
    ParameterSnapshot same_picture = from;
    same_picture.params.picture = to.params.picture;
    return same_picture == to &&
           picture_change(from.params.picture, to.params.picture) != PictureChange::Restart;
}

DensitySettings density_settings_of(const PictureSettings& p) {
    DensitySettings d;
    d.color_by = static_cast<ColorBy>(std::clamp(p.color_by, 0, kColorByCount - 1));
    return d;
}

const Density* toned_density(const Instance& s) {
    if (s.picture.tone == 0) return nullptr;
    const Density& d = s.tone.fine_on ? s.tone.fine.density : s.density;
    return d.active() ? &d : nullptr;
}

bool toning(const Instance& s) {
    return toned_density(s) != nullptr;
}

void follow_picture(State& s) {
    s.density.want(s.picture.tone != 0 && oversample_of(s.picture) == 1,
                   density_settings_of(s.picture));
}

PictureChange apply_picture(State& s, const PictureSettings& next) {
    const PictureChange change = picture_change(s.picture, next);
    s.picture = next;
    follow_picture(s);
    if (change == PictureChange::Restart) s.fresh_image = true;
    return change;
}

void start_fine_orbit(Instance& s) {
    const int oversample = oversample_of(s.picture);
    s.tone.fine_on = s.picture.tone != 0 && oversample > 1;
    s.tone.painted = false;
    s.tone.fine_done = false;
    if (s.tone.fine_on)
        ready_fine_context(s, oversample);
    else
        s.tone.fine = RenderContext{}; // its buffers go
}

void start_cores_toning(Instance& s) {
    ToneView& t = s.tone;
    t.fine_on = s.picture.tone != 0 && oversample_of(s.picture) > 1;
    t.fine_done = true; // drawn by the workers, never on this thread
    t.painted = false;
    t.fine = RenderContext{};
    s.density.adopt(0, {});
}

Density* cores_density(Instance& s) {
    if (s.picture.tone == 0) return nullptr;
    return s.tone.fine_on ? &s.tone.fine.density : &s.density;
}

void run_fine_orbit(AppState& app, long long calls) {
    ToneView& t = app.tone;
    if (!t.fine_on || t.fine_done || calls <= 0) return;
    const RunOutcome out = run_calls(t.fine_params, t.fine, calls, &fused_kernels);
    // A finished orbit would start again at its next call: it stops here,
    // its density kept; one whose memory cannot be had gives up toning
    // until the next image.
    if (out.last == Outcome::NoMemory) {
        t.fine_on = false;
        t.fine = RenderContext{};
    } else if (pauses(out.last)) {
        t.fine_done = true;
    }
}

bool retone(Instance& s, bool fresh) {
    ToneView& t = s.tone;
    const Density* d = toned_density(s);
    if (d == nullptr) return false;
    const int oversample = t.fine_on ? oversample_of(s.picture) : 1;
    ToneSettings settings = tone_settings_of(s);
    // The screen shows the picture over its background.
    settings.transparent = false;
    // The filter's width matters only when oversampling; a new width brings
    // the same samples down afresh.
    const ReconstructionFilter filter =
        oversample > 1 ? ReconstructionFilter{oversample, s.picture.filter_width}
                       : ReconstructionFilter{};
    if (fresh || !t.painted || !(filter == t.filtered_with)) {
        t.cache.clear();
        t.painted = false; // until the filtered density is toned
        if (!downsample(d->cells(), d->side(), filter, t.filtered)) return false;
        t.filtered_with = filter;
    }
    const int side = t.filtered.side;
    if ((t.picture.width() != side || t.picture.height() != side) &&
        !t.picture.try_resize(side, side, 0, s.platform.max_alloc_bytes))
        return false;
    const std::size_t n = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    if (!tone_words(t.filtered, settings, {t.picture.data(), n}, 1, &t.cache)) return false;
    t.painted = true;
    const int w = std::min(side, s.window.width()), h = std::min(side, s.window.height());
    s.window.copy_from(t.picture, Rect{0, 0, w, h}, Point{0, 0});
    return true;
}

} // namespace morv::app
