#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/forms/forms.h"
#include "app/type_form.h"
#include "dialog_test_support.h"
#include "qt_support.h"
#include "ui/dialogs/form_dialog.h"

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

template <class W> W* control(const ui::FormDialog& d, int id) {
    return qobject_cast<W*>(d.control(id));
}

TEST(TypeDialogView, ShowsTheTypesAndTakesTheChoice) {
    qt_app();
    Instance s;
    s.type = 3;
    RecordingPrompts prompts;
    TypeForm form;
    ui::FormDialog d(form, s, prompts);
    EXPECT_EQ(d.windowTitle(), "Select the Attractor Type");
    EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
    const auto groups = d.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0]->title(), "  +  =  changeable parameters      $  =  random parameters   ");
    auto* lorenz = control<QRadioButton>(d, kFirstTypeRadio + 3);
    auto* waves = control<QRadioButton>(d, kFirstTypeRadio + 37);
    EXPECT_TRUE(lorenz->isChecked());
    EXPECT_EQ(lorenz->text(), "Lorenz - 3D +");
    EXPECT_EQ(waves->objectName(), "257");
    EXPECT_EQ(d.control(kFirstTypeRadio + 30)->parent(), groups[1]);
    waves->setChecked(true);
    EXPECT_FALSE(lorenz->isChecked()); // one group across both boxes
    d.accept();
    EXPECT_EQ(s.type, 37);
}

TEST(ChoiceBoxView, EnterAnswersLeftAndEscRight) {
    qt_app();
    Instance s;
    RecordingPrompts prompts;
    for (const auto& [k, expected] :
         {std::pair{Qt::Key_Return, QDialog::Accepted}, {Qt::Key_Escape, QDialog::Rejected}}) {
        const auto form = make_form(kDlgRossler);
        ui::FormDialog v(*form, s, prompts);
        v.open();
        auto* left = control<QPushButton>(v, kButton1);
        auto* right = control<QPushButton>(v, kButton2);
        right->setFocus(); // Enter still means the left button
        key(right, k);
        EXPECT_EQ(v.result(), expected);
        EXPECT_EQ(v.windowTitle(), "Rossler - 3D Options");
        EXPECT_EQ(left->text(), "2 - D Projection");
        EXPECT_FALSE(v.windowFlags() & Qt::WindowCloseButtonHint);
    }
}

TEST(ChoiceBoxView, UnityShowsItsCheckBoxAndEscKeepsIt) {
    qt_app();
    Instance s;
    s.unitybasin = 1;
    RecordingPrompts prompts;
    const auto form = make_form(kDlgUnity);
    ui::FormDialog v(*form, s, prompts);
    auto* check = control<QCheckBox>(v, 1005);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), "Check for differential basin coloring");
    EXPECT_TRUE(check->isChecked());
    check->setChecked(false);
    v.reject();
    EXPECT_EQ(s.unitybasin, 0);
}

} // namespace
} // namespace morv::test
