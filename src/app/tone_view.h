// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "color/resample.h"
#include "color/tone.h"
#include "core/params.h"
#include "core/picture.h"
#include "core/render_context.h"
#include "core/surface.h"

namespace morv::app {

// The desktop's toned picture. While toning, the render accumulates a density
// beside the defined drawing and the window shows this picture instead; with
// oversampling the same orbit is drawn a second time on the finer grid, into
// a context of its own that only counts, so that the canvas, the hit counts
// and everything the view's commands read stay at the image's size.
struct ToneView {
    FilteredDensity filtered;             // the density as last brought to the image's size
    ReconstructionFilter filtered_with{}; // and the filter that brought it
    ToneCache cache;                      // what toning `filtered` again can reuse
    Surface picture;                      // the last toning at the image's size
    bool painted = false;                 // `picture` holds a toning of the density on view

    Params fine_params;
    RenderContext fine; // the orbit on the finer grid, when oversampling
    bool fine_on = false;
    bool fine_done = false; // it paused or completed: its density is kept as it is
};

} // namespace morv::app
