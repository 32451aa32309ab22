#include "ui/dialogs/form_dialog.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/forms/background_form.h"
#include "app/forms/color_form.h"
#include "app/forms/forms.h"
#include "app/forms/ifs_form.h"
#include "app/forms/param_form.h"
#include "app/type_form.h"
#include "dialog_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace morv;
using namespace morv::app;
using morv::test::ensure_qt_app;
using morv::test::press_key;
using morv::test::RecordingPrompts;
using morv::ui::FormDialog;

namespace {

QLineEdit* edit(const FormDialog& d, int id) {
    return qobject_cast<QLineEdit*>(d.control(id));
}

ParamForm quiet_param_form() {
    return ParamForm([](State&) { return ChaosMeasure{1.0, 1.0}; });
}

} // namespace

TEST(FormDialog, OpensWithCaptionControlsAndValues) {
    ensure_qt_app();
    Instance s;
    RecordingPrompts prompts;
    BackgroundForm form;
    FormDialog d(form, s, prompts);
    EXPECT_EQ(d.windowTitle(), "Select the Background Color");
    EXPECT_EQ(edit(d, kBackRed)->text(), "255");
    EXPECT_EQ(edit(d, kBackRed + 2)->text(), "230");
    EXPECT_EQ(qobject_cast<QPushButton*>(d.control(1))->text(), "OK");
    EXPECT_EQ(qobject_cast<QPushButton*>(d.control(2))->text(), "Cancel");
    EXPECT_TRUE(qobject_cast<QPushButton*>(d.control(1))->isDefault());
}

TEST(FormDialog, EnterInAFieldIsOkAndTypedValuesReachTheState) {
    ensure_qt_app();
    Instance s;
    RecordingPrompts prompts;
    BackgroundForm form;
    FormDialog d(form, s, prompts);
    d.show();
    edit(d, kBackRed)->setText("300");
    edit(d, kBackRed + 1)->setText("-5");
    edit(d, kBackRed + 2)->setText("abc");
    press_key(edit(d, kBackRed), Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(s.back, 255u);
}

TEST(FormDialog, EscCancelsThroughTheForm) {
    ensure_qt_app();
    Instance s;
    s.type = 4;
    RecordingPrompts prompts;
    ParamForm form = quiet_param_form();
    FormDialog d(form, s, prompts);
    d.show();
    edit(d, kParamResolution)->setText("1000");
    edit(d, kParamXmin + 1)->setText("-2.49"); // too narrow: stays open
    qobject_cast<QPushButton*>(d.control(1))->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(s.res, 1000);
    press_key(&d, Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(s.res, 600); // Cancel put it back
}

TEST(FormDialog, ARejectedOkShowsItsWarningAndACorrectedOkCloses) {
    ensure_qt_app();
    Instance s;
    s.type = 4;
    RecordingPrompts prompts;
    ParamForm form = quiet_param_form();
    FormDialog d(form, s, prompts);
    d.show();
    edit(d, kParamXmin)->setText("0.5");
    edit(d, kParamXmin + 1)->setText("0.52");
    qobject_cast<QPushButton*>(d.control(1))->click();
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].kind, "warn");
    EXPECT_EQ(prompts.boxes[0].caption, "Parameter Error");
    EXPECT_EQ(prompts.boxes[0].text, "xmax - xmin must be >= 0.05");
    EXPECT_TRUE(d.isVisible());
    edit(d, kParamXmin + 1)->setText("1");
    qobject_cast<QPushButton*>(d.control(1))->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(s.mm[4].xmax, 1.0);
}

TEST(FormDialog, ParametersShowTheTypesLabelsAndEnabling) {
    ensure_qt_app();
    Instance s;
    s.type = 7;
    RecordingPrompts prompts;
    ParamForm form = quiet_param_form();
    FormDialog d(form, s, prompts);
    EXPECT_EQ(d.windowTitle(), "  Parameters");
    EXPECT_EQ(qobject_cast<QLabel*>(d.control(kParamSp0Label))->text(),
              "angle ( 0 - 360 degrees )");
    EXPECT_EQ(qobject_cast<QLabel*>(d.control(kParamSp1Label))->text(), QString(25, ' '));
    EXPECT_FALSE(d.control(kParamSp1)->isEnabled());
    EXPECT_TRUE(d.control(kParamSp0)->isEnabled());
    EXPECT_TRUE(d.control(kParamResolution)->isEnabled());
    EXPECT_EQ(qobject_cast<QGroupBox*>(d.control(kParamOrderGroup))->title(),
              "   Order of Rotation   ");
    EXPECT_TRUE(qobject_cast<QRadioButton*>(d.control(kParamOrder))->isChecked());
    EXPECT_EQ(edit(d, kParamSpeed)->text(), "8");
}

TEST(FormDialog, TheSliderReportsMovesAndRadiosFollowTheAllowedMethods) {
    ensure_qt_app();
    Instance s;
    s.type = 1; // Ikeda: methods 1 and 3
    RecordingPrompts prompts;
    ColorForm form;
    FormDialog d(form, s, prompts);
    auto* slider = qobject_cast<QSlider*>(d.control(kColorWidthSlider));
    EXPECT_EQ(slider->value(), 1);
    EXPECT_FALSE(d.control(kColorMethod + 1)->isEnabled());
    EXPECT_TRUE(d.control(kColorMethod + 2)->isEnabled());
    slider->setValue(2);
    EXPECT_EQ(s.trackpos, 2);
    d.reject();
    EXPECT_EQ(s.linewidth, 1);
    EXPECT_EQ(s.trackpos, 2);
}

// Tab walks the Parameters fields in the layout's reading order, then OK and Cancel.
TEST(FormDialog, TabFollowsTheLayout) {
    ensure_qt_app();
    Instance s;
    RecordingPrompts prompts;
    ParamForm form = quiet_param_form();
    FormDialog d(form, s, prompts);
    std::map<QWidget*, std::array<int, 4>> at;
    std::map<int, const Control*> by_id;
    for (const Control& c : form.description().controls)
        if (c.id != kNoId) by_id[c.id] = &c;
    for (const Control& c : form.description().controls) {
        if (c.kind != ControlKind::Edit) continue;
        const auto parent = by_id.find(c.parent);
        at[d.control(c.id)] =
            parent == by_id.end()
                ? std::array{c.row, c.column, -1, -1}
                : std::array{parent->second->row, parent->second->column, c.row, c.column};
    }
    ASSERT_GT(at.size(), 10u);
    // The chain is a ring; from Cancel round to OK it holds the fields.
    std::array<int, 4> last{-1, -1, -1, -1};
    std::size_t seen = 0;
    for (QWidget* w = d.control(2)->nextInFocusChain(); w != d.control(1) && w != d.control(2);
         w = w->nextInFocusChain()) {
        if (at.count(w) == 0) continue;
        EXPECT_LE(last, at[w]) << w->objectName().toStdString();
        last = at[w];
        ++seen;
    }
    EXPECT_EQ(seen, at.size());
    EXPECT_EQ(d.control(1)->nextInFocusChain(), d.control(2));
}

// Headings sit over their fields, stacked groups share their columns, and a
// long button caption keeps room around it, whatever the font.
TEST(FormDialog, HeadingsGroupsAndButtonsLineUp) {
    ensure_qt_app();
    Instance s;
    RecordingPrompts prompts;
    IfsForm ifs;
    FormDialog d(ifs, s, prompts);
    d.show();
    const QString letters = "abcdef";
    for (int j = 0; j < 6; ++j) {
        QLabel* heading = nullptr;
        for (QLabel* l : d.findChildren<QLabel*>())
            if (l->text() == letters[j]) heading = l;
        ASSERT_NE(heading, nullptr) << j;
        const QWidget* field = d.control(kIfsCoefficient + j);
        const int letter_x = heading->mapTo(&d, heading->contentsRect().topLeft()).x() +
                             heading->fontMetrics().horizontalAdvance(letters[j]) / 2;
        const int field_x = field->mapTo(&d, QPoint(0, 0)).x();
        EXPECT_GE(letter_x, field_x) << j;
        EXPECT_LT(letter_x, field_x + field->width()) << j;
    }

    TypeForm types;
    FormDialog t(types, s, prompts);
    t.show();
    std::array<std::set<int>, 2> lefts; // of each column's buttons, both groups
    for (int type = 0; type < NTYPES; ++type)
        lefts[static_cast<std::size_t>(TypeForm::place(type).column)].insert(
            t.control(kFirstTypeRadio + type)->mapTo(&t, QPoint(0, 0)).x());
    EXPECT_EQ(lefts[0].size(), 1u);
    EXPECT_EQ(lefts[1].size(), 1u);

    const std::unique_ptr<Form> rossler = make_form(kDlgRossler);
    FormDialog r(*rossler, s, prompts);
    r.show();
    for (int button : {1, 2}) {
        auto* b = qobject_cast<QPushButton*>(r.control(button));
        EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text()) +
                                  2 * b->fontMetrics().averageCharWidth());
    }
}
