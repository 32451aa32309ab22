// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/lyapunov.h"
#include "analysis/precise.h"

#include <optional>
#include <string>

namespace morv {

// The precise measures as the lines that follow --analyze's two.
std::string precise_text(const PreciseMeasure& m);

// Everything as one JSON object; `estimate` is the two-orbit estimate when
// the type gives one.
std::string precise_json(int type, const PreciseMeasure& m,
                         const std::optional<ChaosMeasure>& estimate);

// An accepted random set with its measures as one JSON object: the
// coefficients, the screening spectrum, its Kaplan-Yorke dimension, the
// candidates drawn (null when not counted, 0 or less) and the two-orbit estimate when there is one.
std::string search_json(int type, const TypeParams& set, const Spectrum& s, const Measured& ky,
                        int candidates, const std::optional<ChaosMeasure>& estimate);

// A refusal as a JSON object: {"type":N,"refused":"why"}.
std::string refusal_json(int type, const std::string& why);

} // namespace morv
