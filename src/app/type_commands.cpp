// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/handlers.h"
#include "core/settings.h"

namespace morv::app {

namespace {

// What each follow-up of the type dialog does; the choice boxes answer with
// button 1 for the option on the left.
void bifurcation_box(Instance& s, Ui& ui) {
    s.oddflag = ui.dialogs.run(kDlgBifurcation, s) == kButton1 ? 0 : 1;
    s.fresh_image = true;
}

void sierpinski_form(Instance& s, Ui& ui) {
    if (ui.dialogs.run(kDlgSierpinski, s) != kButton1) return;
    method_follows_scmode(s);
    s.fresh_image = true;
}

void fern_form(Instance& s, Ui& ui) {
    if (ui.dialogs.run(kDlgFern, s) != kButton1) return;
    method_follows_ifscmode(s);
    if (s.frestore) {
        s.frestore = 0;
        s.f = fdef;
        s.fp = fpdef;
    }
    s.fresh_image = true;
}

void pgm_dialogs(AppState& app, Ui&) {
    post_command(app, kCmdPgmFormula);
}

void basin_box(Instance& s, Ui& ui) {
    s.basinflag = ui.dialogs.run(kDlgBasin, s) == kButton1 ? 0 : 1; // 1: finite attractor
    method_follows_basinflag(s);
    s.fresh_image = true;
}

// The dialog requests the fresh render itself when it must.
void volterra_lotka_form(Instance& s, Ui& ui) {
    ui.dialogs.run(kDlgVolterraLotka, s);
}

void unity_box(Instance& s, Ui& ui) {
    s.unityflag = ui.dialogs.run(kDlgUnity, s) == kButton1 ? 0 : 1;
    s.fresh_image = true;
}

void rossler_box(Instance& s, Ui& ui) {
    s.rosslerflag = ui.dialogs.run(kDlgRossler, s) == kButton1 ? 0 : 1;
    s.fresh_image = true;
}

void storm_defaults(RenderContext& rc, Ui&) {
    rc.stormflag = 1;
    rc.fresh_image = true;
}

struct FollowUpEntry {
    FollowUp follow_up;
    void (*run)(Instance& s, Ui& ui);
};

// A follow-up that takes only some parts of the instance.
template <auto F> void on_parts(Instance& s, Ui& ui) {
    F(s, ui);
}

constexpr FollowUpEntry kFollowUps[] = {
    {FollowUp::BifurcationBox, bifurcation_box},
    {FollowUp::SierpinskiForm, sierpinski_form},
    {FollowUp::FernForm, fern_form},
    {FollowUp::PgmFormula, on_parts<pgm_dialogs>},
    {FollowUp::BasinBox, basin_box},
    {FollowUp::VolterraLotkaForm, volterra_lotka_form},
    {FollowUp::UnityBox, unity_box},
    {FollowUp::RosslerBox, rossler_box},
    {FollowUp::StormDefaults, on_parts<storm_defaults>},
};

// The option boxes and follow-ups of the type now selected; they run also
// when the type did not change, so that choosing the type again re-opens its
// box, as the boxes' hint texts promise.
void type_follow_up(Instance& s, Ui& ui) {
    if (!valid_type(s.type)) return;
    for (const FollowUpEntry& e : kFollowUps)
        if (e.follow_up == catalogue[s.type].follow_up) e.run(s, ui);
}

} // namespace

void choose_type(Instance& s, Ui& ui) {
    s.savetype = s.type;
    if (ui.dialogs.run(kDlgType, s) == kButton2) return;
    if (!valid_type(s.type)) s.type = s.savetype; // a dialog never leaves another value
    if (s.type != s.savetype) s.fresh_image = true;
    type_follow_up(s, ui);
}

void pgm_formula(Instance& s, Ui& ui) {
    s.savepgmindex = s.pgmindex;
    ui.dialogs.run(kDlgPgmFormula, s);
    if (s.pgmindex != s.savepgmindex) s.fresh_image = true;
    pgm_parameters(s, ui);
}

void pgm_parameters(Instance& s, Ui& ui) {
    if (ui.dialogs.run(kDlgPgmParameters, s) == kButton1 && s.prestore == 1) {
        if (s.pgmindex >= 0 && s.pgmindex < kPgmFormulas) {
            const auto k = static_cast<std::size_t>(s.pgmindex);
            s.pgmscale = kDefaultPgmScale;
            s.pgmx0[k] = dpgmx0[k];
            s.pgmy0[k] = dpgmy0[k];
        }
        s.prestore = 0;
        s.fresh_image = true;
    }
}

} // namespace morv::app
