// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gallery.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "core/catalogue.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

// Candidates pass the search's screening (Peter de Jong: an exponent of at
// least 0.3), are the same however many threads draw them, and each
// thumbnail is its candidate rendered; adopting one starts it like F5.
TEST(Gallery, CandidatesAreScreenedAndTheSameOnAnyNumberOfThreads) {
    Instance s;
    s.steps = &fpointer;
    s.type = kTypeDeJong;
    const GallerySettings settings{4, 200, 20000, {}};
    const std::vector<GalleryCandidate> one = draw_gallery(s, fpointer, 77, settings, 1);
    const std::vector<GalleryCandidate> three = draw_gallery(s, fpointer, 77, settings, 3);
    ASSERT_EQ(one.size(), 4u);
    for (std::size_t i = 0; i < one.size(); ++i) {
        ASSERT_TRUE(one[i].found) << i;
        EXPECT_GE(one[i].measure.lexp, 0.3) << i;
        EXPECT_EQ(one[i].params, three[i].params) << i;
        EXPECT_TRUE(one[i].thumbnail.width() == 200 && three[i].thumbnail.width() == 200);
        EXPECT_TRUE(std::equal(one[i].thumbnail.data(), one[i].thumbnail.data() + 200 * 200,
                               three[i].thumbnail.data()))
            << i;
    }
    EXPECT_NE(one[0].params.p[kTypeDeJong], one[1].params.p[kTypeDeJong]);
    State alone = make_state(kTypeDeJong, 200, 77);
    static_cast<Params&>(alone) = one[2].params;
    render(alone, 20000);
    EXPECT_TRUE(
        std::equal(alone.canvas.data(), alone.canvas.data() + 200 * 200, one[2].thumbnail.data()));

    adopt_candidate(s, one[1]);
    EXPECT_EQ(s.p[kTypeDeJong], one[1].params.p[kTypeDeJong]);
    EXPECT_EQ(std::tuple(s.fresh_image, s.posted.size(), s.chaos.lexp),
              std::tuple(1, 1u, one[1].measure.lexp));
}

} // namespace
} // namespace morv::test
