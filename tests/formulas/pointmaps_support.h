#pragma once

#include "core/catalogue.h"
#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace morv::test {

// One direct call of a step function, outside the driver.
struct Stepped {
    VOXEL v;
    int x = 0, y = 0;
    int result = -1;
};

inline Stepped step_once(State& s, VOXEL old, int iter) {
    Stepped r;
    r.v = old;
    r.result = fpointer[s.type](s, old, &r.v, iter, &r.x, &r.y);
    return r;
}

inline bool on_canvas(const State& s, const Stepped& r) {
    return r.x >= 0 && r.x < s.res && r.y >= 0 && r.y < s.res;
}

// A pinned render: the canvas after `calls` driver calls at res 200 with the
// clock fixed at 1, for one colouring method, in the default view window
// unless one is given.
struct PinnedRender {
    int type;
    int method;
    long long calls;
    std::uint64_t checksum;
    MINMAX window{};
};

inline void expect_pinned_renders(const std::vector<PinnedRender>& pins) {
    for (const PinnedRender& pin : pins) {
        ASSERT_NE(catalogue[pin.type].okmethod & okmethod_bit(pin.method), 0)
            << "type " << pin.type << " does not allow method " << pin.method;
        State s = make_state(pin.type);
        s.method[pin.type] = pin.method;
        if (pin.window.xmax > pin.window.xmin) s.mm[pin.type] = pin.window;
        render(s, pin.calls);
        EXPECT_EQ(canvas_checksum(s), pin.checksum)
            << "type " << pin.type << " method " << pin.method << ": 0x" << std::hex
            << canvas_checksum(s);
    }
}

// A point that ran away to NaN must land off the canvas, through well-defined
// conversions only.
inline void expect_nan_lands_off_canvas(int type) {
    State s = make_state(type);
    s.stormflag = 0;
    const double nan = std::nan("");
    step_once(s, VOXEL{0.1, 0.1, 0.1}, 0);
    const Stepped r = step_once(s, VOXEL{nan, nan, nan}, 1);
    EXPECT_EQ(r.result, kPlot) << "type " << type;
    EXPECT_FALSE(on_canvas(s, r)) << "type " << type;
}

} // namespace morv::test
