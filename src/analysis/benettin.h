// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/params.h"
#include "core/tangent.h"

#include <array>
#include <string>
#include <vector>

namespace morv {

// Natural logarithms to bits, at full precision.
inline constexpr double kBitsPerNat = 1.4426950408889634;

// The Lyapunov exponents of an orbit in nats per step, largest first, each
// with the standard error of the mean over independent segments (NaN until
// two segments are complete). Divided by `time_step` they are per unit time
// of a flow.
struct Spectrum {
    int dim = 0;
    double time_step = 0.0; // 0 for a map
    std::array<double, 3> exponents{};
    std::array<double, 3> errors{};
    long long steps = 0;     // averaged over, after the transient
    long long transient = 0; // skipped before
};

// A value with its error.
struct Measured {
    double value = 0.0;
    double error = 0.0;
};

// Benettin's method, run in pieces so that a caller can watch it converge:
// the orbit and `dim` tangent vectors advance by the map and its Jacobian,
// the vectors re-orthonormalised by Gram-Schmidt (QR) after every step; the
// logarithms of the diagonal of R, averaged, are the exponents.
class SpectrumRun {
  public:
    // The first `transient` steps only turn the orbit and the vectors onto
    // the attractor; the errors come from segments of `segment` steps.
    // With `flow_step` > 0 a flow's own equations (the model's field) are
    // followed by fourth-order Runge-Kutta steps of that length instead of
    // the fixed steps that draw it.
    SpectrumRun(const Params& ps, const TangentModel& model, long long transient = 1000,
                long long segment = 50000, double flow_step = 0.0);

    // Up to n more steps; false once the orbit ran away or a tangent vector
    // collapsed (failure() says which), after which nothing more happens.
    bool advance(long long n);
    Spectrum current() const;
    const std::string& failure() const { return failure_; }

  private:
    bool one_step(bool counted);
    Jacobian advance_point();
    void close_segment();

    Params params_;
    TangentModel model_;
    double flow_step_;
    Point3 point_{};
    std::array<std::array<double, 3>, 3> basis_{}; // basis_[k] is tangent vector k
    long long transient_, segment_, done_ = 0;
    std::array<double, 3> total_{}, in_segment_{};
    long long segment_steps_ = 0;
    std::vector<std::array<double, 3>> segment_means_;
    std::string failure_;
};

// Why the type of `ps` or its parameter set cannot be measured by tangent
// vectors; empty when it can.
std::string spectrum_refusal(const Params& ps, const TangentTable& models);

// The whole measurement: the refusal, the run's failure, or the spectrum.
struct SpectrumResult {
    Spectrum spectrum;
    std::string failure; // empty on success
};
SpectrumResult lyapunov_spectrum(const Params& ps, const TangentTable& models, long long steps,
                                 long long transient = 1000, long long segment = 50000,
                                 double flow_step = 0.0);

// One fourth-order Runge-Kutta step of a flow from `x`, with the exact
// derivative of that step (its variational equations integrated alike).
struct FlowStep {
    Point3 next;
    Jacobian derivative;
};
FlowStep runge_kutta_step(const Params& ps, const TangentModel& model, Point3 x, double h);

// The Kaplan-Yorke dimension k + (l1 + ... + lk) / |l(k+1)|, where k is the
// largest count whose exponents still sum to 0 or more; the error follows
// from the exponents' errors.
Measured kaplan_yorke(const Spectrum& s);

} // namespace morv
