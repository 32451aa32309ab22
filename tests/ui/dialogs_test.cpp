// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/form_dialog.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/fakes.h"
#include "app/forms/color_form.h"
#include "app/forms/forms.h"
#include "app/forms/ifs_form.h"
#include "app/forms/param_form.h"
#include "app/type_form.h"
#include "qt_support.h"
#include "support/render.h"
#include "ui/dialogs/about_window.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/dialogs/options_chart_dialog.h"
#include "ui/folders.h"
#include "ui/pictures/about_picture.h"
#include "ui/pictures/options_chart_picture.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace morv::test {
namespace {

using namespace morv::app;
using namespace morv::ui;

template <class W = QWidget> W* control(const FormDialog& d, int id) {
    return qobject_cast<W*>(d.control(id));
}

ParamForm quiet_param_form() {
    return ParamForm([](State&) { return ChaosMeasure{1.0, 1.0}; });
}

// The state and message boxes the dialogs under test work on.
class Dialogs : public testing::Test {
  protected:
    Dialogs() { qt_app(); }
    Instance s;
    ScriptedPrompts prompts;
};

// Each dialog shows what its form fills in, and reads back what it shows.
TEST_F(Dialogs, EveryDialogShowsItsFormsFieldsAndReadsThemBack) {
    // Methods and fields disabled; a special field labelled, one blanked.
    for (const int type : {kTypeIkeda, kTypeHenonPhase})
        for (const int id : form_dialog_ids()) {
            SCOPED_TRACE(testing::Message() << id << " " << type);
            s = Instance{};
            s.type = type;
            const std::unique_ptr<Form> form = make_form(id);
            const Fields f = form->open(s, s);
            FormDialog d(*form, s, prompts);
            EXPECT_EQ(d.windowTitle().toStdString(), form->description().caption);
            EXPECT_GT(d.minimumWidth(), d.fontMetrics().horizontalAdvance(d.windowTitle()))
                << "the caption is cut";
            const Fields back = d.fields();
            for (const auto& [c, text] : f.text) {
                if (auto* label = control<QLabel>(d, c)) {
                    EXPECT_EQ(label->text().toStdString(), text) << c;
                } else {
                    EXPECT_EQ(back.text_of(c), text) << c;
                }
            }
            for (const auto& [c, on] : f.checked)
                EXPECT_EQ(back.is_checked(c), on) << c;
            for (const auto& [c, on] : f.enabled)
                EXPECT_EQ(d.control(c)->isEnabled(), on) << c;
            for (const auto& [c, position] : f.position)
                EXPECT_EQ(back.position.at(c), position) << c;
        }
}

// Enter in a field is OK. A rejected OK warns and leaves the dialog open with
// what the form stored before its check; Esc then lets the form put it back.
TEST_F(Dialogs, ARejectedOkWarnsAndStaysOpenAndEscCancelsThroughTheForm) {
    s.type = 4;
    ParamForm form = quiet_param_form();
    FormDialog d(form, s, prompts);
    d.show();
    control<QLineEdit>(d, kParamResolution)->setText("1000");
    control<QLineEdit>(d, kParamXmin)->setText("0.5");
    control<QLineEdit>(d, kParamXmin + 1)->setText("0.52");
    EXPECT_TRUE(control<QPushButton>(d, 1)->isDefault());
    press_key(d.control(kParamXmin), Qt::Key_Return);
    EXPECT_EQ(prompts.shown, (std::vector<Shown>{
                                 {Shown::Warn, "Parameter Error", "xmax - xmin must be >= 0.05"}}));
    EXPECT_TRUE(d.isVisible() && s.res == 1000);
    press_key(&d, Qt::Key_Escape);
    EXPECT_EQ(std::tuple(d.result(), d.isVisible(), s.res),
              std::tuple(QDialog::Rejected, false, 600));
}

// The slider reports moves while open; Cancel keeps its position, not the width.
TEST_F(Dialogs, TheSliderReportsMoves) {
    ColorForm form;
    FormDialog d(form, s, prompts);
    control<QSlider>(d, kColorWidthSlider)->setValue(2);
    EXPECT_EQ(s.trackpos, 2);
    d.reject();
    EXPECT_EQ(std::pair(s.linewidth, s.trackpos), std::pair(1, 2));
}

// The type dialog: no close box, its radio buttons one group across both boxes.
TEST_F(Dialogs, TypeDialogIsOneGroupOverTwoBoxes) {
    s.type = 3;
    TypeForm form;
    FormDialog d(form, s, prompts);
    EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
    const auto groups = d.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 2);
    auto* lorenz = control<QRadioButton>(d, kFirstTypeRadio + 3);
    auto* last = control<QRadioButton>(d, kFirstTypeRadio + NTYPES - 1);
    EXPECT_EQ(last->parent(), groups[1]);
    last->setChecked(true);
    EXPECT_FALSE(lorenz->isChecked());
    d.accept();
    EXPECT_EQ(s.type, NTYPES - 1);
}

// A choice box: Enter answers with the left button wherever the focus is, Esc
// with the right; either way Unity keeps its check box and other boxes leave it.
TEST_F(Dialogs, ChoiceBoxEnterAnswersLeftAndEscRight) {
    for (const auto& [k, expected] :
         {std::pair{Qt::Key_Return, QDialog::Accepted}, {Qt::Key_Escape, QDialog::Rejected}}) {
        s = Instance{};
        for (const int box : {kDlgUnity, kDlgRossler}) {
            const auto form = make_form(box);
            FormDialog v(*form, s, prompts);
            v.open();
            EXPECT_FALSE(v.windowFlags() & Qt::WindowCloseButtonHint);
            if (auto* check = control<QCheckBox>(v, 1005)) check->setChecked(true);
            auto* right = control<QPushButton>(v, kButton2);
            right->setFocus();
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
            QApplication::sendEvent(right, &press);
            EXPECT_EQ(v.result(), expected) << k << " " << box;
            EXPECT_EQ(s.unitybasin, 1) << k << " " << box;
        }
    }
}

// Tab walks the Parameters fields in the layout's reading order, then OK and Cancel.
TEST_F(Dialogs, TabFollowsTheLayout) {
    ParamForm form = quiet_param_form();
    FormDialog d(form, s, prompts);
    std::map<QWidget*, std::pair<int, int>> at; // the Parameters fields are all in the body
    for (const Control& c : form.description().controls)
        if (c.kind == ControlKind::Edit) at[d.control(c.id)] = {c.row, c.column};
    ASSERT_GT(at.size(), 10u);
    // The chain is a ring; from Cancel round to OK it holds the fields.
    std::pair last{-1, -1};
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
TEST_F(Dialogs, HeadingsGroupsAndButtonsLineUp) {
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
    EXPECT_EQ(std::tuple(lefts[0].size(), lefts[1].size()), std::tuple(1u, 1u));

    const std::unique_ptr<Form> rossler = make_form(kDlgRossler);
    FormDialog r(*rossler, s, prompts);
    r.show();
    for (int button : {1, 2}) {
        auto* b = control<QPushButton>(r, button);
        EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text()) +
                                  2 * b->fontMetrics().averageCharWidth());
    }
}

// Every dialog a command opens has a view; a form's view shows that form and
// ends with 2 on Esc.
TEST_F(Dialogs, EveryDialogIdReachesItsView) {
    QtDialogs dialogs(nullptr);
    add_dialog_views(dialogs);
    for (int id : {kDlgType, kDlgParameters, kDlgBackground, kDlgColoring, kDlgOptionsChart,
                   kDlgSierpinski, kDlgPgmFormula, kDlgPgmParameters, kDlgBifurcation, kDlgBasin,
                   kDlgUnity, kDlgRossler, kDlgFern, kDlgVolterraLotka, kDlgAbout})
        EXPECT_TRUE(dialogs.has(id)) << id;
    for (int id : form_dialog_ids()) {
        QString seen;
        when_modal([&](QWidget* d) {
            seen = d->windowTitle();
            press_key(d, Qt::Key_Escape);
        });
        EXPECT_EQ(dialogs.run(id, s), kButton2) << id;
        EXPECT_EQ(seen.toStdString(), make_form(id)->description().caption) << id;
    }
}

// A step that stands still: the shadow orbit falls onto the main one.
int fixed_point(const Params&, RenderContext&, Point3, Point3* next, int, int* xpos, int* ypos) {
    *next = Point3{0.5, 0.5, 0.0};
    *xpos = *ypos = 0;
    return 0;
}

TEST_F(Dialogs, ParametersOfARandomTypeAreMeasuredWithTheDriversSteps) {
    s.type = 4;
    std::array<StepFn, NTYPES> steps{};
    steps[4] = fixed_point;
    s.steps = &steps;
    when_modal([](QWidget* d) { d->findChild<QPushButton*>("1")->click(); });
    EXPECT_EQ(run_form_dialog(kDlgParameters, nullptr, s, prompts), 1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text.rfind("Lyapunov exponent: -33.", 0), 0u)
        << prompts.shown[0].text;
}

TEST_F(Dialogs, OptionsChartEscDoesNotCloseItButEnterAndCloseDo) {
    OptionsChartDialog d(options_chart_picture()), again(options_chart_picture());
    d.show();
    EXPECT_FALSE(d.picture()->pixmap().isNull());
    press_key(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible());
    press_key(&d, Qt::Key_Return);
    EXPECT_EQ(std::pair(d.isVisible(), d.result()), std::pair(false, int{QDialog::Accepted}));
    again.show();
    again.close_button()->click();
    EXPECT_FALSE(again.isVisible());
}

// A picture that cannot be made gives the memory warning instead.
TEST_F(Dialogs, AboutWindowACharacterOrAClickClosesItAndClearsTheFlag) {
    const QImage picture = about_picture();
    ASSERT_EQ(picture.size(), QSize(kAboutWidth, kAboutHeight));
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    for (QEvent* closing : {static_cast<QEvent*>(&a), static_cast<QEvent*>(&right)}) {
        s.aboutflag = 1;
        AboutWindow w(picture, s);
        w.show();
        QApplication::sendEvent(&w, &shift);
        EXPECT_TRUE(w.isVisible()) << "no character typed";
        QApplication::sendEvent(&w, closing);
        EXPECT_FALSE(w.isVisible() || s.aboutflag);
    }
    EXPECT_EQ(run_about_window(nullptr, s, prompts, [] { return QImage(); }), 1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(std::pair(prompts.shown[0].kind, prompts.shown[0].caption),
              std::pair(Shown::Warn, std::string("Memory Problem")));
}

// Each kind of file reopens where it was last chosen, in a later run too;
// a folder since removed is passed over.
TEST_F(Dialogs, FoldersStartWhereTheirKindWasLastChosen) {
    TempDir settings, files;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(settings.path()));
    std::filesystem::create_directories(files.file("maps"));
    std::filesystem::create_directories(files.file("gone"));
    const std::string startup = QDir::currentPath().toStdString() + "/*.map";
    EXPECT_EQ(ui::start_folder("map", startup), QDir::currentPath());

    ui::remember_folder("map", QString::fromStdString(files.file("maps/a.map")));
    ui::remember_folder("tga", QString::fromStdString(files.file("gone/b.tga")));
    std::filesystem::remove(files.file("gone"));
    EXPECT_EQ(ui::start_folder("map", startup), QString::fromStdString(files.file("maps")));
    EXPECT_EQ(ui::start_folder("tga", startup), QDir::currentPath());
    EXPECT_EQ(ui::start_folder("atr", startup), QDir::currentPath());
    // A file chosen in this run wins over the remembered folder.
    EXPECT_EQ(ui::start_folder("map", files.path() + "/x.map"),
              QString::fromStdString(files.path()));
}

// A long file name is one word that cannot wrap: the box is wide enough for it.
TEST_F(Dialogs, MessageBoxesShowTheirLongestLineWhole) {
    QtPrompts real(nullptr);
    const QString text = QStringLiteral("Image saved as ") + QString(60, QLatin1Char('x'));
    int width = 0, needed = 1;
    when_modal([&](QWidget* box) {
        if (const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            width = label->width();
            needed = label->fontMetrics().horizontalAdvance(text);
        }
        static_cast<QDialog*>(box)->accept();
    });
    real.inform("Morvane", text.toStdString());
    EXPECT_GE(width, needed);
}

} // namespace
} // namespace morv::test
