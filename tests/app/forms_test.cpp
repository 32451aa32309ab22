#include "app/choice_boxes.h"
#include "app/command_ids.h"
#include "app/menu.h"
#include "app/type_form.h"
#include "core/state.h"

#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

TEST(TypeForm, ShowsTheCurrentTypeAndOkTakesTheFirstChecked) {
    State s;
    s.type = 12;
    TypeForm f = TypeForm::load(s);
    EXPECT_EQ(std::count(f.checked.begin(), f.checked.end(), true), 1);
    EXPECT_TRUE(f.checked[12]);
    f.checked.fill(false);
    f.apply(s);
    EXPECT_EQ(s.type, 12); // none checked: unchanged
    f.checked[37] = f.checked[30] = true;
    f.apply(s);
    EXPECT_EQ(s.type, 30);
    EXPECT_EQ(TypeForm::label(37), "Cosine Waves  +");
}

TEST(TypeForm, TypesFillTwoGroupsOfTwoColumns) {
    EXPECT_EQ(TypeForm::place(12).column, 0);
    EXPECT_EQ(TypeForm::place(13).column, 1);
    EXPECT_EQ(TypeForm::place(13).row, 0);
    EXPECT_EQ(TypeForm::place(25).row, 12);
    EXPECT_EQ(TypeForm::place(26).group, 1);
    EXPECT_EQ(TypeForm::place(31).column, 0);
    EXPECT_EQ(TypeForm::place(32).column, 1);
    EXPECT_EQ(TypeForm::place(37).row, 5);
}

TEST(ChoiceBoxes, CaptionsAndButtons) {
    const ChoiceBox* basin = find_choice_box(kDlgBasin);
    ASSERT_NE(basin, nullptr);
    EXPECT_EQ(basin->caption, "Frothy Basin Options");
    EXPECT_EQ(basin->button1, "Escape Time");
    EXPECT_EQ(basin->button2, "Finite Attractor");
    EXPECT_EQ(find_choice_box(kDlgRossler)->button1, "2 - D Projection");
    EXPECT_EQ(find_choice_box(kDlgBifurcation)->button2, "Odd");
    EXPECT_TRUE(find_choice_box(kDlgBasin)->check_label.empty());
    EXPECT_EQ(find_choice_box(kDlgUnity)->check_id, 1005);
    EXPECT_EQ(find_choice_box(kDlgType), nullptr);
}

TEST(ChoiceBoxes, UnityCheckBoxIsKeptWhicheverButtonEndsIt) {
    State s;
    EXPECT_FALSE(ChoiceForm::load(s, kDlgUnity).check);
    ChoiceForm{true}.apply(s, kDlgUnity);
    EXPECT_EQ(s.unitybasin, 1);
    EXPECT_TRUE(ChoiceForm::load(s, kDlgUnity).check);
    ChoiceForm{true}.apply(s, kDlgRossler); // other boxes keep nothing
    EXPECT_FALSE(ChoiceForm::load(s, kDlgRossler).check);
}

TEST(Menu, PopupsItemsAndKeys) {
    const auto menu = main_menu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].title, "File      ");
    EXPECT_EQ(menu[1].title, "Render      ");
    EXPECT_EQ(menu[2].title, "Options      ");
    EXPECT_EQ(menu[3].title, "Help");
    EXPECT_EQ(menu[0].entries[3].kind, MenuEntry::Separator);
    EXPECT_EQ(menu[1].entries[3].label, "Hit Count Log Normalization");
    EXPECT_EQ(menu[1].entries[3].children[1].label, "Hit Count Log Squared (Alt + C)");
    EXPECT_EQ(menu[1].entries[3].children[1].key, "Alt+C");
    EXPECT_EQ(menu[2].entries.size(), 12u);
    const struct {
        int id;
        const char* label;
        const char* key;
    } items[] = {{100, "Help Topics (F1)", "F1"},
                 {105, "About (F2)", "F2"},
                 {110, "Attractor Type (F3)", "F3"},
                 {115, "Parameters (F4)", "F4"},
                 {120, "Random Parameter Set (F5)", "F5"},
                 {125, "Coloring Method (F6)", "F6"},
                 {130, "Background Color (F7)", "F7"},
                 {135, "Palette (F8)", "F8"},
                 {140, "Default Palette 1 (F9)", "F9"},
                 {145, "Default Palette 2 (F10)", "F10"},
                 {150, "Clear Screen (F11)", "F11"},
                 {155, "Load Parameter File (L)", "L"},
                 {160, "Save Parameters Only (P)", "P"},
                 {165, "Render / Pause / Resume (R)", "R"},
                 {170, "Normalize (N)", "N"},
                 {175, "Equalize (E)", "E"},
                 {180, "Hit Count Log (C)", "C"},
                 {190, "Save Image and Parameters (S)", "S"},
                 {192, "Exit (Esc)", "Esc"},
                 {194, "Options (O)", "O"}};
    for (const auto& i : items) {
        const MenuEntry* e = find_item(i.id);
        ASSERT_NE(e, nullptr) << i.id;
        EXPECT_EQ(e->label, i.label);
        EXPECT_EQ(e->key, i.key);
    }
    EXPECT_EQ(find_item(196), nullptr);
    ASSERT_EQ(key_only_commands().size(), 3u);
    EXPECT_EQ(key_only_commands()[2].key, "Ctrl+Alt+D");
}

} // namespace
} // namespace morv::test
