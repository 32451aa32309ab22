// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/state.h"

namespace morv {

Params::Params() {
    for (int t = 0; t < NTYPES; ++t) {
        p[t] = catalogue[t].pdef;
        mm[t] = catalogue[t].mmdef;
        method[t] = catalogue[t].method;
        rot[t] = catalogue[t].rotdef;
    }
    genpalette(palette, defpal1);
}

State::State() {
    canvas.resize(res, res);
}

bool set_resolution(State& s, int res) {
    if (!s.canvas.try_resize(res, res, 0, s.platform.max_alloc_bytes)) return false;
    s.res = res;
    s.dres = res;
    return true;
}

bool attach_window(State& s, int width, int height) {
    s.window.track_dirty();
    s.ClientRes = Rect{0, 0, width, height};
    return s.window.try_resize(width, height, 0, s.platform.max_alloc_bytes);
}

} // namespace morv
