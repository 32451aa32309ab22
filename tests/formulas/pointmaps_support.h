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
    r.result = fpointer[s.type](s, old, &r.v, iter, &r.x, &r.y);
    return r;
}

inline bool on_canvas(const State& s, const Stepped& r) {
    return r.x >= 0 && r.x < s.res && r.y >= 0 && r.y < s.res;
}

// The canvas after `calls` driver calls at res 200 with the clock fixed at 1,
// with one colouring method, in the default view window unless one is given.
struct PinnedRender {
    int type, method;
    long long calls;
    std::uint64_t checksum;
    MINMAX window{};
};

inline void expect_pinned_renders(const std::vector<PinnedRender>& pins) {
    for (const PinnedRender& pin : pins) {
        ASSERT_NE(catalogue[pin.type].okmethod & okmethod_bit(pin.method), 0) << pin.type;
        State s = make_state(pin.type);
        s.method[pin.type] = pin.method;
        if (pin.window.xmax > pin.window.xmin) s.mm[pin.type] = pin.window;
        render(s, pin.calls);
        EXPECT_EQ(canvas_checksum(s), pin.checksum)
            << "type " << pin.type << " method " << pin.method << ": 0x" << std::hex
            << canvas_checksum(s);
    }
}

} // namespace morv::test
