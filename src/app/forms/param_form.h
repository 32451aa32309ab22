// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/lyapunov.h"
#include "app/forms/form.h"
#include "core/types.h"

#include <functional>
#include <optional>
#include <string_view>

namespace morv::app {

inline constexpr int kParamResolution = 310;
inline constexpr int kParamSpeed = 311;
inline constexpr int kParamA = 312;    // a, b, c, d: 312..315
inline constexpr int kParamRotX = 316; // x, y, z angles: 316..318
inline constexpr int kParamSp0 = 319;
inline constexpr int kParamSp1 = 320;
inline constexpr int kParamXmin = 321;      // xmin, xmax, ymin, ymax: 321..324
inline constexpr int kParamRotXLabel = 336; // the angles' labels: 336..338
inline constexpr int kParamSp0Label = 339;
inline constexpr int kParamSp1Label = 340;
inline constexpr int kParamOrderGroup = 350;
inline constexpr int kParamOrder = 360; // radio 360 + k: rotationorder k

// The label of an unused type-specific field.
inline constexpr std::string_view kBlankLabel = "                         ";

// The Lyapunov exponent and fractal dimension of the current parameters;
// nothing when the type cannot be measured.
using MeasureChaos = std::function<std::optional<ChaosMeasure>(State&)>;

// The measure of the desktop program: with the step functions the driver
// calls, so that the exponent belongs to what is drawn.
std::optional<ChaosMeasure> measure_chaos(State& s);

// Speed as the dialog shows it: level 1 (slowest) to 10 (no delay).
int speed_level(int speed);
int speed_from_level(int level);

// The two type-specific labels, and whether the second field is in use.
struct SpecialLabels {
    std::string_view sp0, sp1;
    bool sp1_used;
};
SpecialLabels special_labels(int type);

// The Parameters dialog of the current type. `measure` computes the
// Lyapunov exponent that an OK of a random-capable type checks.
class ParamForm : public Form {
  public:
    explicit ParamForm(MeasureChaos measure) : measure_(std::move(measure)) {}
    const DialogSpec& description() const override;
    Fields open(const Params& ps, const AppState& app) override;
    FormOutcome ok(Instance& s, const Fields& f) override;
    void cancel(Params& ps, const Fields& f) override;

  private:
    MeasureChaos measure_;
    // What Cancel puts back: the values as the dialog opened.
    int savetype_ = 0;
    TypeParams savep_{};
    int saveres_ = 0;
};

} // namespace morv::app
