// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/forms.h"

#include "app/choice_boxes.h"
#include "app/command_ids.h"
#include "app/forms/background_form.h"
#include "app/forms/color_form.h"
#include "app/forms/cores_form.h"
#include "app/forms/ifs_form.h"
#include "app/forms/pgm_form.h"
#include "app/forms/sierpinski_form.h"
#include "app/forms/vl_form.h"
#include "app/type_form.h"

#include <array>

namespace morv::app {

namespace {

using Maker = std::unique_ptr<Form> (*)(MeasureChaos&& measure);

template <class F> std::unique_ptr<Form> plain(MeasureChaos&&) {
    return std::make_unique<F>();
}

std::unique_ptr<Form> param_form(MeasureChaos&& measure) {
    return std::make_unique<ParamForm>(std::move(measure));
}

template <int Id> std::unique_ptr<Form> choice_box(MeasureChaos&&) {
    return std::make_unique<ChoiceBoxForm>(*find_choice_box(Id));
}

struct FormEntry {
    int id;
    Maker make;
};

constexpr std::array kForms{
    FormEntry{kDlgType, plain<TypeForm>},
    FormEntry{kDlgParameters, param_form},
    FormEntry{kDlgBackground, plain<BackgroundForm>},
    FormEntry{kDlgColoring, plain<ColorForm>},
    FormEntry{kDlgSierpinski, plain<SierpinskiForm>},
    FormEntry{kDlgPgmFormula, plain<PgmFormulaForm>},
    FormEntry{kDlgPgmParameters, plain<PgmParamsForm>},
    FormEntry{kDlgBifurcation, choice_box<kDlgBifurcation>},
    FormEntry{kDlgBasin, choice_box<kDlgBasin>},
    FormEntry{kDlgUnity, choice_box<kDlgUnity>},
    FormEntry{kDlgRossler, choice_box<kDlgRossler>},
    FormEntry{kDlgFern, plain<IfsForm>},
    FormEntry{kDlgVolterraLotka, plain<VlForm>},
    FormEntry{kDlgCores, plain<CoresForm>},
};

constexpr std::array<int, kForms.size()> form_ids() {
    std::array<int, kForms.size()> ids{};
    for (std::size_t i = 0; i < kForms.size(); ++i)
        ids[i] = kForms[i].id;
    return ids;
}

constexpr std::array kFormIds = form_ids();

} // namespace

std::unique_ptr<Form> make_form(int id, MeasureChaos measure) {
    for (const FormEntry& e : kForms)
        if (e.id == id) return e.make(std::move(measure));
    return nullptr;
}

std::span<const int> form_dialog_ids() {
    return kFormIds;
}

} // namespace morv::app
