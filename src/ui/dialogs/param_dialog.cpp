#include "analysis/lyapunov.h"
#include "app/forms/param_form.h"
#include "core/state.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/dialogs/form_dialog.h"

namespace morv::ui {

namespace {

// With the step functions the driver calls, so that the exponent belongs to
// what is drawn.
std::optional<app::ChaosMeasure> measure(State& s) {
    const StepFn step = step_of(s);
    if (lyapunov(s, step) != 0) return std::nullopt; // no step function to measure
    return app::ChaosMeasure{s.LExp, s.FD};
}

} // namespace

int run_param_dialog(QWidget* parent, State& s, app::Prompts& prompts) {
    app::ParamForm form(measure);
    return run_form_dialog(form, parent, s, prompts);
}

} // namespace morv::ui
