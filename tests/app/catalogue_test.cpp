#include "analysis/random.h"
#include "app/choice_boxes.h"
#include "app/command_ids.h"
#include "app/forms/forms.h"
#include "fakes.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <set>

namespace morv::test {
namespace {

using namespace morv::app;

// Choosing each type opens only dialogs the desktop program can show (a form
// or a choice box); a type with a follow-up opens at least one.
TEST(CatalogueResolves, EveryFollowUpReachesAShowableDialog) {
    for (int t = 0; t < NTYPES; ++t) {
        Harness h;
        h.s.stormflag = 0;
        h.dialogs.script[kDlgType] = {{kButton1, [t](Instance& s) { s.type = t; }}};
        h.key(kCmdType);
        ASSERT_EQ(h.s.type, t);
        const std::vector<int> after(h.dialogs.opened.begin() + 1, h.dialogs.opened.end());
        for (int id : after)
            EXPECT_TRUE(make_form(id) != nullptr) << "type " << t << " opens dialog " << id;
        const FollowUp f = catalogue[t].follow_up;
        const bool opens = f != FollowUp::None && f != FollowUp::StormDefaults;
        EXPECT_EQ(!after.empty(), opens) << "type " << t;
        EXPECT_EQ(h.s.stormflag, f == FollowUp::StormDefaults ? 1 : 0) << "type " << t;
    }
}

// A type with a random scheme is offered the search and the search ends with
// parameters inside what the Parameters dialog accepts.
TEST(CatalogueResolves, EveryRandomSchemeFindsParameters) {
    for (int t = 0; t < NTYPES; ++t) {
        State s = make_state(t, 200, 7);
        const RandomScheme scheme = catalogue[t].random;
        ASSERT_EQ(random_search_offered(s), scheme != RandomScheme::None) << "type " << t;
        if (scheme == RandomScheme::None) continue;
        ASSERT_EQ(randomparams(s, ChaosMeasure{}).code, kRandomAccepted) << "type " << t;
        const PARAM& p = s.p[t];
        if (scheme == RandomScheme::Pickover) {
            const auto& r = catalogue[t].abcdrange;
            for (double v : {p.a, p.b})
                EXPECT_TRUE(v >= r[0] && v <= r[1]) << "type " << t;
            for (double v : {p.c, p.d})
                EXPECT_TRUE(v >= r[2] && v <= r[3]) << "type " << t;
        } else {
            for (double v : {p.a, p.b, p.c, p.d, p.sp0})
                EXPECT_TRUE(v >= -2 && v <= 2) << "type " << t;
        }
    }
}

// Every type that offers speed colouring draws with it; a rule that reads z
// spreads the points over many palette entries, which a type moving in the
// plane only would not.
TEST(CatalogueResolves, EverySpeedRuleColoursTheImage) {
    for (int t = 0; t < NTYPES; ++t) {
        if ((catalogue[t].okmethod & okmethod_bit(kMethodSpeedPoints)) == 0) continue;
        State s = make_state(t, 200);
        s.method[t] = kMethodSpeedPoints;
        render(s, 20000);
        const std::set<std::uint32_t> colours(s.canvas.data(), s.canvas.data() + 200 * 200);
        const bool by_z = catalogue[t].speed != SpeedRule::Step;
        EXPECT_GE(colours.size(), by_z ? 16u : 2u) << "type " << t;
    }
}

} // namespace
} // namespace morv::test
