// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"

namespace morv::app {

void init_file_names(AppState& a, const std::string& cwd) {
    a.tgafile = cwd + "/*.tga";
    a.oatrfile = cwd + "/*.atr";
    a.satrfile = cwd + "/*.atr";
    a.file.clear();
}

ParameterSnapshot take_snapshot(const Instance& s) {
    ParameterSnapshot snap{s, s.checkedpalette};
    snap.params.res = 0;
    snap.params.dres = 0;
    return snap;
}

void restore_snapshot(Instance& s, const ParameterSnapshot& snap) {
    const int res = s.res;
    const double dres = s.dres;
    static_cast<Params&>(s) = snap.params;
    s.res = res;
    s.dres = dres;
    s.checkedpalette = snap.checkedpalette;
}

} // namespace morv::app
