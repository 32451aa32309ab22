#include "core/catalogue.h"

#include <gtest/gtest.h>

namespace morv {

TEST(Catalogue, NameMarksMatchOptionBits) {
    for (int t = 0; t < NTYPES; ++t) {
        const TypeInfo& info = catalogue[t];
        const bool random = info.name.find('$') != std::string_view::npos;
        EXPECT_EQ(random, (info.poptions & kOptRandom) != 0) << "type " << t;
        // A type's default colouring method is one it allows (or 0, self-drawn).
        if (info.method != 0) {
            EXPECT_NE(info.okmethod & okmethod_bit(info.method), 0) << "type " << t;
        }
    }
}

} // namespace morv
