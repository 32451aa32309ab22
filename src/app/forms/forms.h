// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/form.h"
#include "app/forms/param_form.h"

#include <memory>
#include <span>

namespace morv::app {

// The form of dialog `id`, or nullptr for the dialogs that are no form (the
// options chart, the about window). The Parameters form checks new
// parameters with `measure`.
std::unique_ptr<Form> make_form(int id, MeasureChaos measure = {});

// The ids of every dialog make_form builds.
std::span<const int> form_dialog_ids();

} // namespace morv::app
