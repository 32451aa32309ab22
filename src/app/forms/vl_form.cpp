// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/vl_form.h"

#include "app/app_state.h"
#include "app/forms/field_text.h"
#include "core/settings.h"

#include <array>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr std::size_t kVolterraLotka = 14;
constexpr int kSchemes = 3;
constexpr int kSchemeGroup = 1319;

constexpr std::array kControls{
    Control{K::Label, kNoId, "h ( 0.0 - 1.0 ) :", 0, 0, 0},
    Control{K::Edit, kVlH, "", 0, 0, 1},
    Control{K::Label, kNoId, "p ( 0.0 - 1.0 ) :", 0, 1, 0},
    Control{K::Edit, kVlH + 1, "", 0, 1, 1},
    Control{K::Label, kNoId, "maxiter ( 2 - 1024 ) :", 0, 2, 0},
    Control{K::Edit, kVlMaxiter, "", 0, 2, 1},
    Control{K::Label, kNoId, "maxsize ( 2.0 - 256.0 ) :", 0, 3, 0},
    Control{K::Edit, kVlMaxsize, "", 0, 3, 1},
    Control{K::Label, kNoId, "target set radius ( 0.01 - 0.5 ) :", 0, 4, 0},
    Control{K::Edit, kVlRadius, "", 0, 4, 1},
    Control{K::Group, kSchemeGroup, "   coloring scheme   ", 0, 5, 0, 1, 2},
    Control{K::Radio, kVlColoring, "relative point distance ( ZMag )", kSchemeGroup, 0, 0},
    Control{K::Radio, kVlColoring + 1, "minimum point distance ( BOF33 )", kSchemeGroup, 1, 0},
    Control{K::Radio, kVlColoring + 2, "level sets of attraction", kSchemeGroup, 2, 0},
    Control{K::Check, kVlShowOrbits, "show orbits", 0, 6, 0},
    Control{K::Label, kNoId,
            "To redisplay this parameters box, select 'Volterra-Lotka'\nfrom the 'Attractor Type' "
            "menu item.",
            0, 7, 0, 1, 2},
};
constexpr DialogSpec kSpec{1300, "Volterra-Lotka Parameters", kControls};

std::string real(double v) {
    return show_fixed(v, 15);
}

} // namespace

const DialogSpec& VlForm::description() const {
    return kSpec;
}

Fields VlForm::open(const Params& ps, const AppState&) {
    Fields f;
    for (int k = 0; k < kSchemes; ++k)
        f.checked[kVlColoring + k] = ps.vlcoloring == k;
    f.checked[kVlShowOrbits] = ps.showorbits != 0;
    f.text[kVlH] = real(ps.p[kVolterraLotka].sp0);
    f.text[kVlH + 1] = real(ps.p[kVolterraLotka].sp1);
    f.text[kVlMaxiter] = show_int(ps.vlmaxiter);
    f.text[kVlMaxsize] = real(ps.vlmaxsize);
    f.text[kVlRadius] = real(ps.vlradius);
    return f;
}

FormOutcome VlForm::ok(Instance& s, const Fields& f) {
    if (const int k = f.first_checked(kVlColoring, kSchemes); k >= 0) {
        if (k != s.vlcoloring) s.fresh_image = true;
        s.vlcoloring = k;
    }
    s.showorbits = f.is_checked(kVlShowOrbits) ? 1 : 0;
    TypeParams& p = s.p[kVolterraLotka];
    p.sp0 = clamp_between(read_double(f.text_of(kVlH)),
                          setting_named("p.sp0").dialog_range(kVolterraLotka));
    p.sp1 = clamp_between(read_double(f.text_of(kVlH + 1)),
                          setting_named("p.sp1").dialog_range(kVolterraLotka));
    s.vlmaxiter = clamp_to(read_int(f.text_of(kVlMaxiter)), setting_named("vlmaxiter").limits);
    s.vlmaxsize =
        clamp_between(read_double(f.text_of(kVlMaxsize)), setting_named("vlmaxsize").limits);
    s.vlradius = clamp_between(read_double(f.text_of(kVlRadius)), setting_named("vlradius").limits);
    return {};
}

} // namespace morv::app
