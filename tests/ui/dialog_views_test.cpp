#include "ui/dialogs/dialog_views.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/fakes.h"
#include "app/forms/forms.h"
#include "qt_support.h"
#include "support/render.h"
#include "ui/dialogs/about_window.h"
#include "ui/dialogs/form_dialog.h"
#include "ui/dialogs/options_chart_dialog.h"
#include "ui/folders.h"
#include "ui/pictures/about_picture.h"
#include "ui/pictures/options_chart_picture.h"
#include "ui/qt_dialogs.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <filesystem>
#include <gtest/gtest.h>

namespace morv::test {
namespace {

using namespace morv::app;
using namespace morv::ui;

// Every dialog a command opens has a view; a form's view shows that form and
// ends with 2 on Esc.
TEST(DialogViews, EveryDialogIdReachesItsView) {
    qt_app();
    QtDialogs dialogs(nullptr);
    add_standard_views(dialogs);
    for (int id : {kDlgType, kDlgParameters, kDlgBackground, kDlgColoring, kDlgOptionsChart,
                   kDlgSierpinski, kDlgPgmFormula, kDlgPgmParameters, kDlgBifurcation, kDlgBasin,
                   kDlgUnity, kDlgRossler, kDlgFern, kDlgVolterraLotka, kDlgAbout})
        EXPECT_TRUE(dialogs.has(id)) << id;
    for (int id : form_dialog_ids()) {
        Instance s;
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
int fixed_point(const Params&, RenderContext&, VOXEL, VOXEL* next, int, int* xpos, int* ypos) {
    *next = VOXEL{0.5, 0.5, 0.0};
    *xpos = *ypos = 0;
    return 0;
}

TEST(DialogViews, ParametersOfARandomTypeAreMeasuredWithTheDriversSteps) {
    qt_app();
    Instance s;
    s.type = 4;
    std::array<StepFn, NTYPES> steps{};
    steps[4] = fixed_point;
    s.steps = &steps;
    ScriptedPrompts prompts;
    when_modal([](QWidget* d) { d->findChild<QPushButton*>("1")->click(); });
    EXPECT_EQ(run_form_dialog(kDlgParameters, nullptr, s, prompts), 1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text.rfind("Lyapunov exponent: -33.", 0), 0u)
        << prompts.shown[0].text;
}

TEST(OptionsChart, EscDoesNotCloseItButEnterAndCloseDo) {
    qt_app();
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
TEST(AboutWindow, ACharacterOrAClickClosesItAndClearsTheFlag) {
    qt_app();
    const QImage picture = about_picture();
    ASSERT_EQ(picture.size(), QSize(kAboutWidth, kAboutHeight));
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    for (QEvent* closing : {static_cast<QEvent*>(&a), static_cast<QEvent*>(&right)}) {
        Instance s;
        s.aboutflag = 1;
        AboutWindow w(picture, s);
        w.show();
        QApplication::sendEvent(&w, &shift);
        EXPECT_TRUE(w.isVisible()) << "no character typed";
        QApplication::sendEvent(&w, closing);
        EXPECT_FALSE(w.isVisible() || s.aboutflag);
    }
    Instance s;
    ScriptedPrompts prompts;
    EXPECT_EQ(run_about_window(nullptr, s, prompts, [] { return QImage(); }), 1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(std::pair(prompts.shown[0].kind, prompts.shown[0].caption),
              std::pair(Shown::Warn, std::string("Memory Problem")));
}

// Each kind of file reopens where it was last chosen, in a later run too;
// a folder since removed is passed over.
TEST(Folders, DialogsStartWhereTheirKindWasLastChosen) {
    qt_app();
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

} // namespace
} // namespace morv::test
