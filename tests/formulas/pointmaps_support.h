#pragma once

#include "core/catalogue.h"
#include "core/state.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace morv::test {

// One direct call of the current type's step, outside the driver.
struct Stepped {
    VOXEL v;
    int x = 0, y = 0, result = -1;
};

inline Stepped step_once(State& s, VOXEL old, int iter) {
    Stepped r{old};
    r.result = fpointer[s.type](s, s, old, &r.v, iter, &r.x, &r.y);
    return r;
}

inline bool on_canvas(const State& s, const Stepped& r) {
    return r.x >= 0 && r.x < s.res && r.y >= 0 && r.y < s.res;
}

} // namespace morv::test
