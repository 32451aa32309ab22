// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/precise.h"

#include <algorithm>
#include <cmath>

namespace morv {

namespace {

constexpr double kSampleTime = 0.05; // between a flow's orbit points
constexpr double kTheilerTime = 1.0; // pairs closer in time are left out

bool is_flow(const TangentModel& m) {
    return m.time_step > 0;
}

} // namespace

OrbitSampling sampling_for(const TangentModel& model, const PreciseSettings& settings) {
    OrbitSampling s;
    s.transient = settings.transient;
    if (!is_flow(model)) return s;
    s.stride = std::max(1, static_cast<int>(std::lround(kSampleTime / model.time_step)));
    s.theiler = static_cast<int>(std::ceil(kTheilerTime / (s.stride * model.time_step)));
    s.transient = std::llround(settings.flow_transient / model.time_step);
    return s;
}

long long spectrum_steps(const TangentModel& model, const PreciseSettings& settings) {
    return is_flow(model) ? std::llround(settings.flow_time / model.time_step) : settings.map_steps;
}

std::vector<OrbitPoint> sample_orbit(const Params& ps, const TangentModel& model, int n,
                                     long long transient, int stride) {
    std::vector<OrbitPoint> out;
    out.reserve(static_cast<std::size_t>(std::max(0, n)));
    VOXEL v = model.start(ps);
    const auto runs_away = [](const VOXEL& p) {
        return !(std::fabs(p.x) < 1e100 && std::fabs(p.y) < 1e100 && std::fabs(p.z) < 1e100);
    };
    for (long long i = 0; i < transient; ++i)
        if (runs_away(v = model.map(ps, v))) return out;
    while (static_cast<int>(out.size()) < n) {
        for (int i = 0; i < stride; ++i)
            if (runs_away(v = model.map(ps, v))) return out;
        out.push_back({v.x, v.y, v.z});
    }
    return out;
}

PreciseMeasure measure_precisely(const Params& ps, const TangentTable& models,
                                 const PreciseSettings& settings) {
    PreciseMeasure out;
    out.failure = spectrum_refusal(ps, models);
    if (!out.failure.empty()) return out;
    const TangentModel& model = models[static_cast<std::size_t>(ps.type)];
    const OrbitSampling sampling = sampling_for(model, settings);
    SpectrumResult r =
        lyapunov_spectrum(ps, models, spectrum_steps(model, settings), sampling.transient);
    out.spectrum = r.spectrum;
    out.failure = r.failure;
    if (!out.failure.empty()) return out;
    out.kaplan_yorke = kaplan_yorke(out.spectrum);
    if (model.field != nullptr) {
        const double time_step = settings.flow_step;
        const SpectrumResult f =
            lyapunov_spectrum(ps, models, std::llround(settings.own_flow_time / time_step),
                              std::llround(settings.flow_transient / time_step), 50000, time_step);
        if (f.failure.empty()) {
            out.flow = f.spectrum;
            out.flow_kaplan_yorke = kaplan_yorke(out.flow);
        }
    }
    const auto points =
        sample_orbit(ps, model, settings.points, sampling.transient, sampling.stride);
    out.correlation = correlation_dimension(points, model.dim, sampling.theiler);
    return out;
}

} // namespace morv
