// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/params.h"
#include "core/render_context.h"
#include "formulas/pointmaps_scratch.h"
#include "formulas/selfdraw1_scratch.h"
#include "formulas/selfdraw2_scratch.h"

namespace morv {

// Everything the step functions keep between calls of one instance.
struct FormulaScratch {
    PointMapScratch pointmaps;
    SelfDrawScratch1 selfdraw1;
    SelfDrawScratch2 selfdraw2;
};

inline FormulaScratch& scratch(RenderContext& rc) {
    return rc.scratch.get<FormulaScratch>();
}

inline const FormulaScratch& scratch(const RenderContext& rc) {
    return rc.scratch.get<FormulaScratch>();
}

} // namespace morv
