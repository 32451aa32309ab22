// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"

namespace morv::app {

void init_file_names(AppState& app, const std::string& cwd) {
    app.tgafile = cwd + "/*.tga";
    app.oatrfile = cwd + "/*.atr";
    app.satrfile = cwd + "/*.atr";
    app.file.clear();
}

ParameterSnapshot take_snapshot(const Params& ps, const AppState& app) {
    ParameterSnapshot snap{ps, app.checkedpalette};
    snap.params.res = 0;
    snap.params.dres = 0;
    return snap;
}

void restore_snapshot(Params& ps, AppState& app, const ParameterSnapshot& snap) {
    const int res = ps.res;
    const double dres = ps.dres;
    ps = snap.params;
    ps.res = res;
    ps.dres = dres;
    app.checkedpalette = snap.checkedpalette;
}

} // namespace morv::app
