// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/cores_form.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/cores_render.h"
#include "app/forms/field_text.h"
#include "app/menu.h"
#include "formulas/orbits.h"

#include <array>
#include <cmath>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr double kMostPoints = 1e13;
constexpr int kMostThreads = 256;

constexpr std::array kControls{
    Control{K::Check, kCoresOn, "use all cores: K orbits on worker threads", 0, 0, 0, 1, 2},
    Control{K::Check, kCoresFast, "fast vector path (with all cores)", 0, 1, 0, 1, 2},
    Control{K::Label, kNoId, "orbits K ( 1 - 1048576 ) :", 0, 2, 0},
    Control{K::Edit, kCoresOrbits, "", 0, 2, 1},
    Control{K::Label, kNoId, "points over all orbits :", 0, 3, 0},
    Control{K::Edit, kCoresPoints, "", 0, 3, 1},
    Control{K::Label, kNoId, "threads ( 0: one per core ) :", 0, 4, 0},
    Control{K::Edit, kCoresThreads, "", 0, 4, 1},
    Control{K::Label, kNoId,
            "The picture is morvane-render --orbits K [--fast] --iterations POINTS\nfor the "
            "same seed. Point and plane maps with Speed - Points or Hit Count\nonly; other "
            "pictures are drawn as one orbit.",
            0, 5, 0, 1, 2},
};
constexpr DialogSpec kSpec{kDlgCores, "Render on All Cores", kControls};

long long read_count(std::string_view text, double lo, double hi) {
    const double v = std::floor(clamp_to(read_double(text), lo, hi));
    return static_cast<long long>(v);
}

} // namespace

const DialogSpec& CoresForm::description() const {
    return kSpec;
}

Fields CoresForm::open(const Params&, const AppState& app) {
    Fields f;
    f.checked[kCoresOn] = app.cores.on;
    f.checked[kCoresFast] = app.cores.fast;
    f.text[kCoresOrbits] = std::to_string(app.cores.orbits);
    f.text[kCoresPoints] = std::to_string(app.cores.points);
    f.text[kCoresThreads] = show_int(app.cores.threads);
    return f;
}

FormOutcome CoresForm::ok(Instance& s, const Fields& f) {
    CoresSettings c;
    c.on = f.is_checked(kCoresOn);
    c.fast = c.on && f.is_checked(kCoresFast);
    c.orbits = read_count(f.text_of(kCoresOrbits), 1, static_cast<double>(kMaxOrbits));
    c.points = read_count(f.text_of(kCoresPoints), 1, kMostPoints);
    c.threads = clamp_to(read_int(f.text_of(kCoresThreads)), 0, kMostThreads);
    s.cores = c;
    FormOutcome out;
    if (!c.on) return out;
    if (auto e = cores_refusal(s, c))
        out.messages.push_back(Message{Message::Kind::Inform, "Render on All Cores",
                                       "This picture is drawn as one orbit: " + *e + "."});
    return out;
}

void edit_cores(Instance& s, Ui& ui) {
    if (s.rendering) return;
    const CoresSettings before = s.cores;
    if (ui.dialogs.run(kDlgCores, s) == kButton1 && !(s.cores == before)) s.fresh_image = true;
    set_menu_for_state(s);
}

} // namespace morv::app
