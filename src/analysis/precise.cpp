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
    Point3 v = model.start(ps);
    const auto runs_away = [](const Point3& p) {
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

namespace {

constexpr long long kPiece = 100000;

// Runs `run` for `steps` in pieces, reporting after each; false when stopped
// or when the run failed (its failure is then in run.failure()).
template <class Report>
bool run_in_pieces(SpectrumRun& run, long long steps, const std::atomic<bool>& stop,
                   Report&& report) {
    for (long long done = 0; done < steps;) {
        if (stop) return false;
        const long long n = std::min(kPiece, steps - done);
        if (!run.advance(n)) return false;
        done += n;
        report(run.current());
    }
    return true;
}

} // namespace

void measure_progressively(const Params& ps, const TangentTable& models,
                           const PreciseSettings& settings, const MeasureReport& report,
                           const std::atomic<bool>& stop) {
    PreciseMeasure out;
    out.failure = spectrum_refusal(ps, models);
    if (!out.failure.empty()) return report(out, true);
    out.correlation.failure = kStillToCome;
    const TangentModel& model = models[static_cast<std::size_t>(ps.type)];
    const OrbitSampling sampling = sampling_for(model, settings);
    SpectrumRun run(ps, model, sampling.transient);
    const bool ran = run_in_pieces(run, sampling.transient + spectrum_steps(model, settings), stop,
                                   [&](const Spectrum& s) {
                                       out.spectrum = s;
                                       out.kaplan_yorke = kaplan_yorke(s);
                                       report(out, false);
                                   });
    if (!ran) {
        if (stop) return;
        out.failure = run.failure();
        return report(out, true);
    }
    if (model.field != nullptr) {
        const double h = settings.flow_step;
        const long long transient = std::llround(settings.flow_transient / h);
        SpectrumRun flow(ps, model, transient, 50000, h);
        run_in_pieces(flow, transient + std::llround(settings.own_flow_time / h), stop,
                      [&](const Spectrum& s) {
                          out.flow = s;
                          out.flow_kaplan_yorke = kaplan_yorke(s);
                          report(out, false);
                      });
        if (stop) return;
        if (!flow.failure().empty()) out.flow = Spectrum{}; // the drawn steps still stand
    }
    const auto points =
        sample_orbit(ps, model, settings.points, sampling.transient, sampling.stride);
    if (stop) return;
    out.correlation = correlation_dimension(points, model.dim, sampling.theiler);
    report(out, true);
}

PreciseMeasure measure_precisely(const Params& ps, const TangentTable& models,
                                 const PreciseSettings& settings) {
    PreciseMeasure out;
    const std::atomic<bool> never{false};
    measure_progressively(
        ps, models, settings,
        [&out](const PreciseMeasure& m, bool done) {
            if (done) out = m;
        },
        never);
    return out;
}

} // namespace morv
