#pragma once

#include "app/forms/form.h"
#include "app/forms/param_form.h"

#include <memory>

namespace morv::app {

// The form of dialog `id` (300, 400, 500, 650, 700, 800, 1200 or 1300), or
// nullptr for the dialogs that have none here. The Parameters form checks
// new parameters with `measure`.
std::unique_ptr<Form> make_form(int id, MeasureChaos measure = {});

} // namespace morv::app
