#include "app/command_ids.h"
#include "core/state.h"
#include "qt_support.h"
#include "ui/choice_box_view.h"
#include "ui/type_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;

void key(QWidget* w, Qt::Key k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

TEST(TypeDialogView, ShowsTheTypesAndTakesTheChoice) {
    qt_app();
    State s;
    s.type = 3;
    ui::TypeDialog d(TypeForm::load(s));
    EXPECT_EQ(d.windowTitle(), "Select the Attractor Type");
    EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
    const auto groups = d.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0]->title(), "  +  =  changeable parameters      $  =  random parameters   ");
    EXPECT_TRUE(d.radio(3)->isChecked());
    EXPECT_EQ(d.radio(3)->text(), "Lorenz - 3D +");
    EXPECT_EQ(d.radio(37)->objectName(), "257");
    EXPECT_EQ(d.radio(30)->parent(), groups[1]);
    d.radio(37)->setChecked(true);
    EXPECT_FALSE(d.radio(3)->isChecked()); // one group across both boxes
    d.form().apply(s);
    EXPECT_EQ(s.type, 37);
}

TEST(ChoiceBoxView, EnterAnswersLeftAndEscRight) {
    qt_app();
    State s;
    for (const auto& [k, expected] : {std::pair{Qt::Key_Return, kButton1}, {Qt::Key_Escape, 0}}) {
        ui::ChoiceBoxView v(*find_choice_box(kDlgRossler), ChoiceForm{});
        v.open();
        v.button2()->setFocus(); // Enter still means the left button
        key(v.button2(), k);
        EXPECT_EQ(ui::ChoiceBoxView::answer(v.result()), expected == 0 ? kButton2 : kButton1);
        EXPECT_EQ(v.windowTitle(), "Rossler - 3D Options");
        EXPECT_EQ(v.button1()->text(), "2 - D Projection");
    }
}

TEST(ChoiceBoxView, UnityShowsItsCheckBox) {
    qt_app();
    State s;
    s.unitybasin = 1;
    ui::ChoiceBoxView v(*find_choice_box(kDlgUnity), ChoiceForm::load(s, kDlgUnity));
    ASSERT_NE(v.check(), nullptr);
    EXPECT_EQ(v.check()->text(), "Check for differential basin coloring");
    EXPECT_TRUE(v.check()->isChecked());
    v.check()->setChecked(false);
    v.form().apply(s, kDlgUnity);
    EXPECT_EQ(s.unitybasin, 0);
}

} // namespace
} // namespace morv::test
