// SPDX-License-Identifier: GPL-3.0-or-later
// The random search steered by measured ranges, frozen coefficients and a
// spread about the current set.
#include "analysis/steered_search.h"
#include "core/catalogue.h"
#include "core/state.h"
#include "formulas/steps.h"
#include "formulas/tangent_models.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morv {
namespace {

TEST(SteeredSearch, AcceptsOnlyWithinTheRangesAndKeepsFrozenCoefficients) {
    State s = test::make_state(kTypeDeJong);
    const TypeParams before = s.p[kTypeDeJong];
    SearchSteering steer;
    steer.largest_exponent = Range{0.2, 0.6};
    steer.kaplan_yorke = Range{1.0, 2.0};
    steer.frozen[0] = steer.frozen[3] = true; // a and d
    steer.spread_percent = 20;
    const SteeredResult r = steered_search(s, steer, tangent_models);
    ASSERT_EQ(r.code, kRandomAccepted);
    EXPECT_TRUE(steer.largest_exponent->contains(r.spectrum.exponents[0]));
    EXPECT_TRUE(steer.kaplan_yorke->contains(r.kaplan_yorke.value));
    const TypeParams& p = s.p[kTypeDeJong];
    EXPECT_EQ(std::pair(p.a, p.d), std::pair(before.a, before.d));
    // 20 % of half of b's range [-3, 3] about the current b.
    EXPECT_LE(std::fabs(p.b - before.b), 0.2 * 3 + 1e-9);
}

TEST(SteeredSearch, ImpossibleRangesRestoreTheSetAndUnmeasurableTypesAreNotOffered) {
    State s = test::make_state(kTypeIris);
    const TypeParams before = s.p[kTypeIris];
    SearchSteering steer;
    steer.largest_exponent = Range{50, 60};
    EXPECT_EQ(steered_search(s, steer, tangent_models).code, kRandomNotFound);
    EXPECT_EQ(s.p[kTypeIris], before);
    State julia = test::make_state(kTypeStormJulia);
    EXPECT_EQ(steered_search(julia, steer, tangent_models).code, kRandomNotOffered);
    EXPECT_FALSE(SearchSteering{}.steered());
}

} // namespace
} // namespace morv
