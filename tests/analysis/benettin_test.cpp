// SPDX-License-Identifier: GPL-3.0-or-later
// The precise measures against the published values for the maps and flows
// the program draws exactly as published.
#include "analysis/benettin.h"
#include "analysis/correlation.h"
#include "analysis/precise.h"
#include "core/catalogue.h"
#include "formulas/tangent_models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <utility>

namespace morv {
namespace {

Params params_for(int type, int rosslerflag = 0) {
    Params ps;
    ps.type = type;
    ps.rosslerflag = rosslerflag;
    return ps;
}

Spectrum spectrum_of(const Params& ps, long long steps) {
    const SpectrumResult r = lyapunov_spectrum(ps, tangent_models, steps);
    EXPECT_EQ(r.failure, "");
    return r.spectrum;
}

// One published exponent: the measured one, per step or per unit time for a
// flow, must be within `relative` of it.
struct Published {
    const char* source;
    std::size_t index;
    double value;
    double relative;
};

// Henon a = 1.4, b = 0.3 and the Ikeda map with u = 0.9 (rho 1, c1 0.4,
// c3 6, as the program draws it): J. C. Sprott, Chaos and Time-Series
// Analysis (Oxford 2003), appendix A, in nats per iteration.
TEST(Spectrum, MapsMatchPublishedExponentsAndKaplanYorke) {
    const Spectrum henon = spectrum_of(params_for(kTypeHenon), 10000000);
    const Spectrum ikeda = spectrum_of(params_for(kTypeIkeda), 10000000);
    for (const auto& [s, p] : {std::pair{henon, Published{"Henon l1", 0, 0.41922, 0.002}},
                               std::pair{henon, Published{"Henon l2", 1, -1.62319, 0.002}},
                               std::pair{ikeda, Published{"Ikeda l1", 0, 0.5076, 0.002}},
                               std::pair{ikeda, Published{"Ikeda l2", 1, -0.7183, 0.002}}})
        EXPECT_NEAR(s.exponents[p.index], p.value, std::fabs(p.value) * p.relative) << p.source;
    // Kaplan-Yorke dimensions from the published spectra: Henon 1.2583 (Sprott),
    // Ikeda 1 + 0.5076 / 0.7183 = 1.7067.
    EXPECT_NEAR(kaplan_yorke(henon).value, 1.2583, 0.005);
    EXPECT_NEAR(kaplan_yorke(ikeda).value, 1.7067, 0.005);
}

// Lorenz (10, 28, 8/3): 0.9056 and Rossler (0.2, 0.2, 5.7): 0.0714 per unit
// time, Sprott ibid., from the flows' own equations. The Euler steps of 0.005
// that draw them give about 0.956 and 0.050: a first-order step shifts the
// exponents by far more than the 2 % allowed here.
TEST(Spectrum, FlowsMatchPublishedExponents) {
    // Rossler's slow spiral needs a longer run for its small exponent, and
    // allows a longer step.
    for (const auto& [flag, type, step, time, p] :
         {std::tuple{0, int{kTypeLorenz}, 0.01, 10000.0, Published{"Lorenz l1", 0, 0.9056, 0.02}},
          std::tuple{1, int{kTypeRossler}, 0.02, 40000.0,
                     Published{"Rossler l1", 0, 0.0714, 0.02}}}) {
        const SpectrumResult r = lyapunov_spectrum(params_for(type, flag), tangent_models,
                                                   std::llround(time / step), 1000, 50000, step);
        ASSERT_EQ(r.failure, "");
        EXPECT_EQ(r.spectrum.time_step, step);
        EXPECT_NEAR(r.spectrum.exponents[p.index] / step, p.value, p.value * p.relative)
            << p.source << " +- " << r.spectrum.errors[p.index] / step;
    }
}

// A constant Jacobian determinant makes the sum of the exponents its
// logarithm: Henon's is -b, Ikeda's u^2.
TEST(Spectrum, SumIsTheLogOfTheDeterminant) {
    const Spectrum h = spectrum_of(params_for(kTypeHenon), 100000);
    EXPECT_NEAR(h.exponents[0] + h.exponents[1], std::log(0.3), 1e-6);
    const Spectrum i = spectrum_of(params_for(kTypeIkeda), 100000);
    EXPECT_NEAR(i.exponents[0] + i.exponents[1], 2 * std::log(0.9), 1e-6);
}

TEST(Spectrum, KaplanYorkeCountsExponentsUpToANegativeSum) {
    Spectrum s;
    s.dim = 3;
    s.exponents = {0.9, 0.0, -14.5};
    EXPECT_NEAR(kaplan_yorke(s).value, 2 + 0.9 / 14.5, 1e-12);
    s.exponents = {-0.1, -0.2, -0.3}; // a fixed point
    EXPECT_EQ(kaplan_yorke(s).value, 0.0);
    s.dim = 2;
    s.exponents = {0.3, -0.3, 0}; // area-preserving: the whole plane
    EXPECT_EQ(kaplan_yorke(s).value, 2.0);
}

TEST(Spectrum, RefusesWhatIsNoMapAndRunawayOrbits) {
    for (int t :
         {int{kTypeSierpinski}, int{kTypeBifurcation}, int{kTypeLissajous}, int{kTypeKamTorus}})
        EXPECT_NE(spectrum_refusal(params_for(t), tangent_models), "") << t;
    Params basin = params_for(kTypeBasin);
    EXPECT_NE(spectrum_refusal(basin, tangent_models), "");
    basin.basinflag = 1;
    EXPECT_EQ(spectrum_refusal(basin, tangent_models), "");
    Params away = params_for(kTypeHenon);
    away.p[kTypeHenon].xstart = 10;
    EXPECT_EQ(lyapunov_spectrum(away, tangent_models, 1000).failure,
              "the orbit runs away to infinity");
}

// Henon's correlation dimension 1.22 (Grassberger and Procaccia, Physica D 9
// (1983) 189; Sprott ibid.) from 10^5 points.
TEST(Correlation, HenonMatchesPublished) {
    const Params ps = params_for(kTypeHenon);
    const auto points = sample_orbit(ps, tangent_models[kTypeHenon], 100000, 1000, 1);
    const CorrelationDimension d = correlation_dimension(points, 2, 0);
    EXPECT_EQ(d.failure, "");
    EXPECT_NEAR(d.value, 1.22, 0.04);
    EXPECT_LT(d.error, 0.04);
    EXPECT_LT(d.r_low * 8, d.r_high);
}

// Points spread evenly along a segment and over a square and a cube.
TEST(Correlation, WholeNumberDimensionsOfSimpleSets) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> u(0, 1);
    for (int dim : {1, 2, 3}) {
        std::vector<OrbitPoint> points(dim == 3 ? 50000 : 20000);
        for (auto& p : points)
            p = {u(random), dim > 1 ? u(random) : 0.5, dim > 2 ? u(random) : 0.5};
        const CorrelationDimension d = correlation_dimension(points, dim == 3 ? 3 : 2, 0);
        EXPECT_NEAR(d.value, dim, 0.05) << dim;
    }
    EXPECT_NE(correlation_dimension(std::vector<OrbitPoint>(100, {1, 1, 1}), 2, 0).failure, "");
}

} // namespace
} // namespace morv
