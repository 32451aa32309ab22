#include "app/forms/forms.h"

#include "app/forms/background_form.h"
#include "app/forms/color_form.h"
#include "app/forms/ifs_form.h"
#include "app/forms/pgm_form.h"
#include "app/forms/sierpinski_form.h"
#include "app/forms/vl_form.h"

namespace morv::app {

std::unique_ptr<Form> make_form(int id, MeasureChaos measure) {
    switch (id) {
    case 300:
        return std::make_unique<ParamForm>(std::move(measure));
    case 400:
        return std::make_unique<BackgroundForm>();
    case 500:
        return std::make_unique<ColorForm>();
    case 650:
        return std::make_unique<SierpinskiForm>();
    case 700:
        return std::make_unique<PgmFormulaForm>();
    case 800:
        return std::make_unique<PgmParamsForm>();
    case 1200:
        return std::make_unique<IfsForm>();
    case 1300:
        return std::make_unique<VlForm>();
    default:
        return nullptr;
    }
}

} // namespace morv::app
