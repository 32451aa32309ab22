#include "app/forms/forms.h"

#include <gtest/gtest.h>

#include <set>

using namespace morv::app;

// Every template names each control once and puts it in an existing group.
TEST(Forms, TemplatesAreConsistent) {
    for (int id : {300, 400, 500, 650, 700, 800, 1200, 1300}) {
        const auto form = make_form(id);
        ASSERT_NE(form, nullptr) << id;
        const DialogSpec& description = form->description();
        EXPECT_EQ(description.id, id);
        std::set<int> ids, groups;
        for (const Control& c : description.controls) {
            if (c.id != kNoId) {
                EXPECT_TRUE(ids.insert(c.id).second) << id << ": " << c.id;
            }
            if (c.kind == ControlKind::Group) groups.insert(c.id);
            EXPECT_NE(c.id, 0) << id;
            EXPECT_NE(c.id, 1) << id; // the buttons' ids
            EXPECT_NE(c.id, 2) << id;
        }
        for (const Control& c : description.controls) {
            if (c.parent != 0) {
                EXPECT_TRUE(groups.count(c.parent)) << id << ": " << c.id;
            }
        }
    }
    EXPECT_EQ(make_form(200), nullptr);
}
