#include "core/view.h"
#include "formulas/steps.h"

namespace morv {

// The reference step: the classic map with its constants 1.4 and 0.3 (the
// type's a and b are not used).
int henon(State& s, VOXEL old, VOXEL* next, int, int* xpos, int* ypos) {
    next->x = (old.y + 1.0) - 1.4 * old.x * old.x;
    next->y = 0.3 * old.x;
    map_to_pixel(s, next->x, next->y, xpos, ypos);
    return kPlot;
}

} // namespace morv
