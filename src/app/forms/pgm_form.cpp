// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/pgm_form.h"

#include "app/app_state.h"
#include "app/forms/field_text.h"

#include <array>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr std::array kFormulaControls{
    Control{K::Label, kNoId, "x[n + 1] = 1.0 - y[n] + fabs( x[n] ) + F\n\ny[n + 1] = x[n]", 0, 0,
            0},
    Control{K::Radio, kPgmFormula, "F = 0", 0, 1, 0},
    Control{K::Radio, kPgmFormula + 1, "F = -2 E -6 * tan( y )", 0, 2, 0},
    Control{K::Radio, kPgmFormula + 2, "F = 1 E -4 * cos( y * |x| )", 0, 3, 0},
    Control{K::Radio, kPgmFormula + 3, "F = 1 E -4 * cos( |y| ) * sin( |x| )", 0, 4, 0},
    Control{K::Radio, kPgmFormula + 4, "F = 1 E -5 * sin( |x| ) / cos( |y| )", 0, 5, 0},
    Control{K::Radio, kPgmFormula + 5, "F = 5 E -6 * cos( |y| ) / sin( |y| )", 0, 6, 0},
    Control{K::Radio, kPgmFormula + 6, "F = 5 E -5 * cos( |y| ) / sin( |x| )", 0, 7, 0},
    Control{K::Radio, kPgmFormula + 7, "F = 1 E -5 * cos( |y| ) / cos( |x| )", 0, 8, 0},
    Control{K::Label, kNoId, "Press 'G' to re-display this dialog box.", 0, 9, 0},
};
constexpr DialogSpec kFormulaSpec{700, "Select the PGM Formula", kFormulaControls};

constexpr std::array kParamsControls{
    Control{K::Label, kNoId, "scale: (1 - 50):", 0, 0, 0},
    Control{K::Edit, kPgmScale, "", 0, 0, 1},
    Control{K::Label, kNoId, "x0: ( -10.0 - 10.0 )", 0, 1, 0},
    Control{K::Edit, kPgmX0, "", 0, 1, 1},
    Control{K::Label, kNoId, "y0: ( -10.0 - 10.0 )", 0, 2, 0},
    Control{K::Edit, kPgmY0, "", 0, 2, 1},
    Control{K::Check, kPgmRestore, "restore default parameters on OK", 0, 3, 0, 1, 2},
    Control{K::Label, kNoId, "Press 'Alt + G' to re-display this dialog box.", 0, 4, 0, 1, 2},
};
constexpr DialogSpec kParamsSpec{800, "PGM Parameters", kParamsControls};

bool valid_formula(int k) {
    return k >= 0 && k < kPgmFormulas;
}

// Stores `v` and asks for a fresh render when it changed the value.
void store_changed(RenderContext& rc, double& value, double v) {
    if (v != value) rc.fresh_image = true;
    value = v;
}

} // namespace

const DialogSpec& PgmFormulaForm::description() const {
    return kFormulaSpec;
}

Fields PgmFormulaForm::open(const Params& ps, const AppState&) {
    Fields f;
    for (int k = 0; k < kPgmFormulas; ++k)
        f.checked[kPgmFormula + k] = ps.pgmindex == k;
    return f;
}

FormOutcome PgmFormulaForm::ok(Instance& s, const Fields& f) {
    if (const int k = f.first_checked(kPgmFormula, kPgmFormulas); k >= 0) {
        if (k != s.pgmindex) s.fresh_image = true;
        s.pgmindex = k;
    }
    return {};
}

const DialogSpec& PgmParamsForm::description() const {
    return kParamsSpec;
}

Fields PgmParamsForm::open(const Params& ps, const AppState&) {
    Fields f;
    f.text[kPgmScale] = show_fixed(ps.pgmscale, 15);
    if (valid_formula(ps.pgmindex)) {
        const auto k = static_cast<std::size_t>(ps.pgmindex);
        f.text[kPgmX0] = show_fixed(ps.pgmx0[k], 15);
        f.text[kPgmY0] = show_fixed(ps.pgmy0[k], 15);
    }
    f.checked[kPgmRestore] = false;
    return f;
}

FormOutcome PgmParamsForm::ok(Instance& s, const Fields& f) {
    store_changed(
        s, s.pgmscale,
        clamp_between(read_double(f.text_of(kPgmScale)), setting_named("pgmscale").limits));
    if (valid_formula(s.pgmindex)) {
        const auto k = static_cast<std::size_t>(s.pgmindex);
        store_changed(s, s.pgmx0[k],
                      clamp_between(read_double(f.text_of(kPgmX0)), setting_named("pgmx0").limits));
        store_changed(s, s.pgmy0[k],
                      clamp_between(read_double(f.text_of(kPgmY0)), setting_named("pgmy0").limits));
    }
    s.prestore = f.is_checked(kPgmRestore) ? 1 : 0;
    return {};
}

} // namespace morv::app
