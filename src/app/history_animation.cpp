// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history_animation.h"

#include "app/app_state.h"

namespace morv::app {

namespace {

// Whether the frames between `a` and `b` would all be `a`.
bool moves_nothing(const Params& a, const Params& b) {
    const auto t = static_cast<std::size_t>(a.type);
    return a.p[t] == b.p[t] && a.mm[t] == b.mm[t] && a.rot[t] == b.rot[t] && a.picture == b.picture;
}

} // namespace

std::vector<Params> history_keys(const Params& ps, const AppState& app, int side) {
    std::vector<Params> keys;
    for (const ParameterSnapshot& snap : app.history.in_order(take_snapshot(ps, app))) {
        if (snap.params.type != ps.type) continue;
        if (!keys.empty() && moves_nothing(keys.back(), snap.params)) continue;
        keys.push_back(snap.params);
        keys.back().res = side;
        keys.back().dres = side;
    }
    return keys;
}

long long preview_frames(std::size_t keys, const PreviewPlan& plan) {
    if (keys < 2) return 1;
    return plan.frames_per_key * static_cast<long long>(keys - 1) + 1;
}

Params preview_frame(std::span<const Params> keys, long long frame, const PreviewPlan& plan) {
    return interpolate_keys(keys, frame, preview_frames(keys.size(), plan), plan.easing);
}

} // namespace morv::app
