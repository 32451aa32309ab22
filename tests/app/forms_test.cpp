#include "app/choice_boxes.h"
#include "app/command_ids.h"
#include "app/forms/forms.h"
#include "app/menu.h"
#include "app/type_form.h"
#include "core/state.h"

#include <gtest/gtest.h>

#include <set>

namespace morv::test {
namespace {

using namespace morv::app;

// Every template names each control once and puts it in an existing group.
TEST(Forms, TemplatesAreConsistent) {
    for (int id : form_dialog_ids()) {
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
            EXPECT_TRUE(c.id != 0 && c.id != 1 && c.id != 2) << id; // 1 and 2: the buttons
        }
        for (const Control& c : description.controls) {
            if (c.parent != 0) {
                EXPECT_TRUE(groups.count(c.parent)) << id << ": " << c.id;
            }
        }
    }
    EXPECT_EQ(make_form(kDlgOptionsChart), nullptr);
}

TEST(TypeForm, ShowsTheCurrentTypeAndOkTakesTheFirstChecked) {
    State s;
    s.type = 12;
    TypeForm form;
    Fields f = form.open(s);
    EXPECT_EQ(f.first_checked(kFirstTypeRadio, NTYPES), 12);
    EXPECT_EQ(std::count_if(f.checked.begin(), f.checked.end(), [](auto& c) { return c.second; }),
              1);
    f.checked.clear();
    form.ok(s, f);
    EXPECT_EQ(s.type, 12); // none checked: unchanged
    f.checked[kFirstTypeRadio + 37] = f.checked[kFirstTypeRadio + 30] = true;
    form.ok(s, f);
    EXPECT_EQ(s.type, 30);
}

// Types 0..25 in the first box, the rest in the second, each box in two
// columns with the first half of its types on the left.
TEST(TypeForm, TypesFillTwoBoxesOfTwoColumns) {
    TypeForm form;
    std::map<int, Control> radio;
    for (const Control& c : form.description().controls)
        radio.emplace(c.id - kFirstTypeRadio, c);
    const struct {
        int type, box, column, row;
    } cases[] = {{12, kTypeGroupId, 0, 12},     {13, kTypeGroupId, 1, 0},
                 {25, kTypeGroupId, 1, 12},     {26, kMoreTypesGroupId, 0, 0},
                 {31, kMoreTypesGroupId, 0, 5}, {32, kMoreTypesGroupId, 1, 0},
                 {37, kMoreTypesGroupId, 1, 5}};
    for (const auto& c : cases) {
        const Control& r = radio.at(c.type);
        EXPECT_EQ(r.parent, c.box) << c.type;
        EXPECT_EQ(r.column, c.column) << c.type;
        EXPECT_EQ(r.row, c.row) << c.type;
    }
    EXPECT_EQ(radio.at(37).text, "Cosine Waves  +");
    EXPECT_TRUE(form.description().one_radio_group);
}

TEST(ChoiceBoxes, UnityCheckBoxIsKeptWhicheverButtonEndsIt) {
    State s;
    const auto unity = make_form(kDlgUnity);
    EXPECT_FALSE(unity->open(s).is_checked(1005));
    Fields f;
    f.checked[1005] = true;
    unity->ok(s, f);
    EXPECT_EQ(s.unitybasin, 1);
    EXPECT_TRUE(unity->open(s).is_checked(1005));
    unity->cancel(s, Fields{});
    EXPECT_EQ(s.unitybasin, 0);
    const auto rossler = make_form(kDlgRossler); // other boxes keep nothing
    EXPECT_EQ(rossler->description().controls.size(), 1u);
    rossler->ok(s, f);
    EXPECT_EQ(s.unitybasin, 0);
    EXPECT_EQ(rossler->description().buttons.button1, "2 - D Projection");
}

// Every command is reached by at most one item and every key means one command.
TEST(Menu, IdsAndKeysAreUnique) {
    std::set<int> ids;
    std::set<std::string_view> keys;
    auto add = [&](int id, std::string_view key) {
        EXPECT_TRUE(id >= kFirstCommand && id <= kLastCommand) << id;
        EXPECT_TRUE(ids.insert(id).second) << id;
        if (!key.empty()) {
            EXPECT_TRUE(keys.insert(key).second) << key;
        }
    };
    for (const Popup& p : main_menu()) {
        for (const MenuEntry& e : p.entries) {
            if (e.kind == MenuEntry::Item) add(e.id, e.key);
            for (const MenuEntry& c : e.children)
                add(c.id, c.key);
        }
    }
    for (const KeyOnly& k : key_only_commands())
        add(k.id, k.key);
    EXPECT_EQ(ids.size(), 24u);
    EXPECT_EQ(find_item(kCmdLogSquared)->label, "Hit Count Log Squared (Alt + C)");
}

} // namespace
} // namespace morv::test
