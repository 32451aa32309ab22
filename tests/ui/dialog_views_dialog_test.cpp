#include "ui/dialogs/dialog_views.h"

#include "app/command_ids.h"
#include "ui/dialogs/form_dialog.h"

#include "core/state.h"
#include "dialog_test_support.h"
#include "ui/dialogs/about_window.h"
#include "ui/dialogs/options_chart_dialog.h"
#include "ui/pictures/about_picture.h"
#include "ui/pictures/options_chart_picture.h"
#include "ui/qt_dialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace morv;
using namespace morv::ui;
using morv::test::ensure_qt_app;
using morv::test::press_key;
using morv::test::RecordingPrompts;
using morv::test::when_modal;

namespace {

template <class W> W* child(QWidget* dialog, int id) {
    return dialog->findChild<W*>(QString::number(id));
}

void click(QWidget* dialog, int id) {
    child<QPushButton>(dialog, id)->click();
}

} // namespace

TEST(DialogViews, EachDialogOpensWithItsCaption) {
    ensure_qt_app();
    struct Case {
        int id;
        const char* caption;
    };
    for (const Case& c :
         {Case{300, "  Parameters"}, Case{400, "Select the Background Color"},
          Case{500, "Select the Coloring Method"}, Case{650, "Select the Mode"},
          Case{700, "Select the PGM Formula"}, Case{800, "PGM Parameters"},
          Case{1200, "  IFS Parameters"}, Case{1300, "Volterra-Lotka Parameters"},
          Case{200, "Select the Attractor Type"}, Case{1100, "Rossler - 3D Options"}}) {
        State s;
        RecordingPrompts prompts;
        QString seen;
        when_modal([&](QWidget* d) {
            seen = d->windowTitle();
            press_key(d, Qt::Key_Escape);
        });
        EXPECT_EQ(run_form_dialog(c.id, nullptr, s, prompts), 2) << c.caption;
        EXPECT_EQ(seen, c.caption);
    }
}

TEST(DialogViews, IfsOkWithABadSumStaysOpenAndKeepsWhatItStored) {
    ensure_qt_app();
    State s;
    RecordingPrompts prompts;
    when_modal([](QWidget* d) {
        EXPECT_EQ(child<QLineEdit>(d, 1221)->text(), "0.00000000");
        child<QLineEdit>(d, 1220)->setText("3.5");
        child<QLineEdit>(d, 1280)->setText("50");
        child<QLineEdit>(d, 1281)->setText("40");
        click(d, 1);
        EXPECT_TRUE(d->isVisible());
        click(d, 2);
    });
    EXPECT_EQ(run_form_dialog(app::kDlgFern, nullptr, s, prompts), 2);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, "Sum of p values must equal 100.");
    EXPECT_EQ(s.f[0][0], 2.0);
    EXPECT_EQ(s.fp[1], 40);
}

TEST(DialogViews, VolterraLotkaOkStoresTypedValues) {
    ensure_qt_app();
    State s;
    RecordingPrompts prompts;
    when_modal([](QWidget* d) {
        child<QLineEdit>(d, 1312)->setText("5000");
        child<QRadioButton>(d, 1322)->setChecked(true);
        child<QCheckBox>(d, 1335)->setChecked(true);
        press_key(child<QLineEdit>(d, 1312), Qt::Key_Return);
    });
    s.firstloop = 0;
    EXPECT_EQ(run_form_dialog(app::kDlgVolterraLotka, nullptr, s, prompts), 1);
    EXPECT_EQ(s.vlmaxiter, 1024);
    EXPECT_EQ(s.vlcoloring, 2);
    EXPECT_EQ(s.showorbits, 1);
    EXPECT_EQ(s.firstloop, 1);
}

TEST(DialogViews, PgmDialogsReachTheirForms) {
    ensure_qt_app();
    State s;
    s.firstloop = 0;
    RecordingPrompts prompts;
    when_modal([](QWidget* d) {
        EXPECT_TRUE(child<QRadioButton>(d, 727)->isChecked());
        child<QRadioButton>(d, 721)->setChecked(true);
        click(d, 1);
    });
    EXPECT_EQ(run_form_dialog(app::kDlgPgmFormula, nullptr, s, prompts), 1);
    EXPECT_EQ(s.pgmindex, 1);
    when_modal([](QWidget* d) {
        EXPECT_FALSE(child<QCheckBox>(d, 830)->isChecked());
        child<QLineEdit>(d, 810)->setText("0");
        child<QCheckBox>(d, 830)->setChecked(true);
        click(d, 1);
    });
    EXPECT_EQ(run_form_dialog(app::kDlgPgmParameters, nullptr, s, prompts), 1);
    EXPECT_EQ(s.pgmscale, 1.0);
    EXPECT_EQ(s.prestore, 1);
}

// A step that stands still: the shadow orbit falls onto the main one.
int fixed_point(const Params&, RenderContext&, VOXEL, VOXEL* next, int, int* xpos, int* ypos) {
    *next = VOXEL{0.5, 0.5, 0.0};
    *xpos = *ypos = 0;
    return 0;
}

TEST(DialogViews, ParametersOfARandomTypeAreMeasuredWithTheDriversSteps) {
    ensure_qt_app();
    State s;
    s.type = 4;
    std::array<StepFn, NTYPES> steps{};
    steps[4] = fixed_point;
    s.steps = &steps;
    RecordingPrompts prompts;
    when_modal([](QWidget* d) { click(d, 1); });
    EXPECT_EQ(run_form_dialog(app::kDlgParameters, nullptr, s, prompts), 1);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].caption, "Morvane");
    EXPECT_EQ(prompts.boxes[0].text.rfind("Lyapunov exponent: -33.", 0), 0u)
        << prompts.boxes[0].text;
    EXPECT_NE(prompts.boxes[0].text.find("\n\nThe attractor may not be chaotic"),
              std::string::npos);
}

TEST(OptionsChart, EscDoesNotCloseItButEnterAndCloseDo) {
    ensure_qt_app();
    OptionsChartDialog d(options_chart_picture());
    d.show();
    EXPECT_EQ(d.windowTitle(), "");
    EXPECT_FALSE(d.picture()->pixmap().isNull());
    press_key(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible());
    press_key(&d, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    OptionsChartDialog again(options_chart_picture());
    again.show();
    again.close_button()->click();
    EXPECT_FALSE(again.isVisible());
}

TEST(OptionsChart, RunReturnsOne) {
    ensure_qt_app();
    State s;
    when_modal([](QWidget* d) { click(d, 1); });
    EXPECT_EQ(run_options_chart(nullptr, s), 1);
}

TEST(AboutWindow, ACharacterOrAClickClosesItAndClearsTheFlag) {
    ensure_qt_app();
    State s;
    const QImage picture = about_picture();
    ASSERT_EQ(picture.size(), QSize(kAboutWidth, kAboutHeight));
    {
        s.aboutflag = 1;
        AboutWindow w(picture, s);
        w.show();
        EXPECT_EQ(w.size(), QSize(470, 240));
        QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
        QApplication::sendEvent(&w, &shift);
        EXPECT_TRUE(w.isVisible()); // no character typed
        QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&w, &a);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(s.aboutflag, 0);
    }
    {
        s.aboutflag = 1;
        AboutWindow w(picture, s);
        w.show();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(s.aboutflag, 0);
    }
}

TEST(AboutWindow, APictureThatCannotBeMadeGivesTheMemoryWarning) {
    ensure_qt_app();
    State s;
    s.aboutflag = 1;
    RecordingPrompts prompts;
    EXPECT_EQ(run_about_window(nullptr, s, prompts, [] { return QImage(); }), 1);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].kind, "warn");
    EXPECT_EQ(prompts.boxes[0].caption, "Memory Problem");
    EXPECT_EQ(prompts.boxes[0].text,
              "Unable to allocate bitmap buffer.\nTry to free up some memory.");
}

TEST(AboutWindow, RunsUntilClicked) {
    ensure_qt_app();
    State s;
    s.aboutflag = 1;
    RecordingPrompts prompts;
    when_modal([](QWidget* w) { press_key(w, Qt::Key_Escape); });
    EXPECT_EQ(run_about_window(nullptr, s, prompts, about_picture), 1);
    EXPECT_EQ(s.aboutflag, 0);
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST(DialogViews, TheMainWindowReachesEveryDialogOfThisModule) {
    ensure_qt_app();
    QtDialogs dialogs(nullptr);
    add_standard_views(dialogs);
    for (int id : {200, 300, 400, 500, 600, 650, 700, 800, 900, 950, 1000, 1100, 1200, 1300, 105})
        EXPECT_TRUE(dialogs.has(id)) << id;
}
