// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/benettin.h"

#include "core/catalogue.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace morv {

namespace {

// Beyond this the orbit has run away; long before overflow, so that the
// Jacobian at the last point is still finite.
constexpr double kRunaway = 1e100;

bool finite_point(const Point3& v, int dim) {
    const double c[3] = {v.x, v.y, v.z};
    for (int i = 0; i < dim; ++i)
        if (!(std::fabs(c[i]) < kRunaway)) return false;
    return true;
}

std::array<double, 3> times(const Jacobian& j, const std::array<double, 3>& v, int dim) {
    std::array<double, 3> out{};
    for (int r = 0; r < dim; ++r)
        for (int c = 0; c < dim; ++c)
            out[static_cast<std::size_t>(r)] +=
                j[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] *
                v[static_cast<std::size_t>(c)];
    return out;
}

double dot(const std::array<double, 3>& a, const std::array<double, 3>& b, int dim) {
    double s = 0;
    for (int i = 0; i < dim; ++i)
        s += a[static_cast<std::size_t>(i)] * b[static_cast<std::size_t>(i)];
    return s;
}

double standard_error(const std::vector<std::array<double, 3>>& means, std::size_t k) {
    const std::size_t n = means.size();
    if (n < 2) return std::numeric_limits<double>::quiet_NaN();
    double mean = 0;
    for (const auto& m : means)
        mean += m[k];
    mean /= static_cast<double>(n);
    double sq = 0;
    for (const auto& m : means)
        sq += (m[k] - mean) * (m[k] - mean);
    return std::sqrt(sq / static_cast<double>(n - 1) / static_cast<double>(n));
}

Point3 along(Point3 x, double h, Point3 k) {
    return Point3{x.x + h * k.x, x.y + h * k.y, x.z + h * k.z};
}

// I + h D K.
Jacobian stage(const Jacobian& d, double h, const Jacobian& k) {
    Jacobian out{};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t c = 0; c < 3; ++c) {
            double sum = 0;
            for (std::size_t i = 0; i < 3; ++i)
                sum += d[r][i] * ((i == c ? 1.0 : 0.0) + h * k[i][c]);
            out[r][c] = sum;
        }
    return out;
}

} // namespace

FlowStep runge_kutta_step(const Params& ps, const TangentModel& m, Point3 x, double h) {
    const Jacobian zero{};
    const Point3 k1 = m.field(ps, x);
    const Jacobian j1 = stage(m.field_jacobian(ps, x), 0, zero);
    const Point3 x2 = along(x, h / 2, k1);
    const Point3 k2 = m.field(ps, x2);
    const Jacobian j2 = stage(m.field_jacobian(ps, x2), h / 2, j1);
    const Point3 x3 = along(x, h / 2, k2);
    const Point3 k3 = m.field(ps, x3);
    const Jacobian j3 = stage(m.field_jacobian(ps, x3), h / 2, j2);
    const Point3 x4 = along(x, h, k3);
    const Point3 k4 = m.field(ps, x4);
    const Jacobian j4 = stage(m.field_jacobian(ps, x4), h, j3);
    FlowStep out;
    out.next = Point3{x.x + h / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x),
                      x.y + h / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y),
                      x.z + h / 6 * (k1.z + 2 * k2.z + 2 * k3.z + k4.z)};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t c = 0; c < 3; ++c)
            out.derivative[r][c] =
                (r == c ? 1.0 : 0.0) + h / 6 * (j1[r][c] + 2 * j2[r][c] + 2 * j3[r][c] + j4[r][c]);
    return out;
}

SpectrumRun::SpectrumRun(const Params& ps, const TangentModel& model, long long transient,
                         long long segment, double flow_step)
    : params_(ps), model_(model), flow_step_(model.field != nullptr ? flow_step : 0.0),
      transient_(transient), segment_(std::max(1LL, segment)) {
    point_ = model_.start(params_);
    for (std::size_t k = 0; k < 3; ++k)
        basis_[k][k] = 1.0;
}

// One step of the orbit and the vectors; the logarithms count once the
// transient is over.
Jacobian SpectrumRun::advance_point() {
    if (flow_step_ > 0) {
        const FlowStep f = runge_kutta_step(params_, model_, point_, flow_step_);
        point_ = f.next;
        return f.derivative;
    }
    const Jacobian j = model_.jacobian(params_, point_);
    point_ = model_.map(params_, point_);
    return j;
}

bool SpectrumRun::one_step(bool counted) {
    const int dim = model_.dim;
    const Jacobian j = advance_point();
    if (!finite_point(point_, dim)) {
        failure_ = "the orbit runs away to infinity";
        return false;
    }
    // Modified Gram-Schmidt: the vectors' QR decomposition, R's diagonal kept.
    for (int k = 0; k < dim; ++k) {
        auto& v = basis_[static_cast<std::size_t>(k)];
        v = times(j, v, dim);
        for (int i = 0; i < k; ++i) {
            const auto& q = basis_[static_cast<std::size_t>(i)];
            const double r = dot(q, v, dim);
            for (int c = 0; c < dim; ++c)
                v[static_cast<std::size_t>(c)] -= r * q[static_cast<std::size_t>(c)];
        }
        const double norm = std::sqrt(dot(v, v, dim));
        if (!(norm > 0) || !std::isfinite(norm)) {
            failure_ = "a tangent vector collapsed: the map is singular on the orbit";
            return false;
        }
        for (int c = 0; c < dim; ++c)
            v[static_cast<std::size_t>(c)] /= norm;
        if (counted) in_segment_[static_cast<std::size_t>(k)] += std::log(norm);
    }
    return true;
}

void SpectrumRun::close_segment() {
    std::array<double, 3> mean{};
    for (std::size_t k = 0; k < 3; ++k) {
        total_[k] += in_segment_[k];
        mean[k] = in_segment_[k] / static_cast<double>(segment_steps_);
        in_segment_[k] = 0;
    }
    segment_means_.push_back(mean);
    segment_steps_ = 0;
}

bool SpectrumRun::advance(long long n) {
    for (long long i = 0; i < n && failure_.empty(); ++i) {
        const bool counted = done_ >= transient_;
        if (!one_step(counted)) return false;
        ++done_;
        if (counted && ++segment_steps_ == segment_) close_segment();
    }
    return failure_.empty();
}

Spectrum SpectrumRun::current() const {
    Spectrum s;
    s.dim = model_.dim;
    s.time_step = flow_step_ > 0 ? flow_step_ : model_.time_step;
    s.transient = std::min(done_, transient_);
    s.steps = std::max(0LL, done_ - transient_);
    // Unused rows sort last, and sorting the whole fixed array lets the
    // compiler see its size (a partial range trips -Warray-bounds).
    std::array<std::pair<double, double>, 3> pairs;
    pairs.fill({-std::numeric_limits<double>::infinity(), 0.0});
    for (std::size_t k = 0; k < static_cast<std::size_t>(s.dim); ++k) {
        const double sum = total_[k] + in_segment_[k];
        pairs[k] = {s.steps > 0 ? sum / static_cast<double>(s.steps) : 0.0,
                    standard_error(segment_means_, k)};
    }
    // Gram-Schmidt orders them in the long run; a short run may not yet.
    std::sort(pairs.begin(), pairs.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t k = 0; k < static_cast<std::size_t>(s.dim); ++k) {
        s.exponents[k] = pairs[k].first;
        s.errors[k] = pairs[k].second;
    }
    return s;
}

std::string spectrum_refusal(const Params& ps, const TangentTable& models) {
    if (!valid_type(ps.type)) return "there is no type " + std::to_string(ps.type);
    const TangentModel& m = models[static_cast<std::size_t>(ps.type)];
    if (m.dim == 0) return m.uncovered != nullptr ? m.uncovered : "its step is not a map";
    if (m.refusal != nullptr)
        if (const char* why = m.refusal(ps); why != nullptr) return why;
    return {};
}

SpectrumResult lyapunov_spectrum(const Params& ps, const TangentTable& models, long long steps,
                                 long long transient, long long segment, double flow_step) {
    SpectrumResult out;
    out.failure = spectrum_refusal(ps, models);
    if (!out.failure.empty()) return out;
    SpectrumRun run(ps, models[static_cast<std::size_t>(ps.type)], transient, segment, flow_step);
    if (!run.advance(transient + steps)) out.failure = run.failure();
    out.spectrum = run.current();
    return out;
}

Measured kaplan_yorke(const Spectrum& s) {
    double sum = 0;
    int k = 0;
    while (k < s.dim && sum + s.exponents[static_cast<std::size_t>(k)] >= 0)
        sum += s.exponents[static_cast<std::size_t>(k++)];
    if (k == 0 || k == s.dim) return Measured{static_cast<double>(k), 0.0};
    const double next = s.exponents[static_cast<std::size_t>(k)];
    double var = 0;
    for (int i = 0; i < k; ++i) {
        const double e = s.errors[static_cast<std::size_t>(i)] / next;
        var += e * e;
    }
    const double e = sum * s.errors[static_cast<std::size_t>(k)] / (next * next);
    var += e * e;
    return Measured{k + sum / std::fabs(next), std::sqrt(var)};
}

} // namespace morv
