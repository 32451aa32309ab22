#include "core/state.h"

namespace morv {

State::State() {
    for (int t = 0; t < NTYPES; ++t) {
        p[t] = catalogue[t].pdef;
        mm[t] = catalogue[t].mmdef;
        method[t] = catalogue[t].method;
        rot[t] = catalogue[t].rotdef;
    }
    genpalette(palette, defpal1);
    canvas.resize(res, res);
}

void set_resolution(State& s, int res) {
    s.res = res;
    s.dres = res;
    s.canvas.resize(res, res);
}

void attach_window(State& s, int width, int height) {
    s.window.track_dirty();
    s.window.resize(width, height);
    s.ClientRes = Rect{0, 0, width, height};
}

} // namespace morv
