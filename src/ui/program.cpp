// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program.h"

#include "app/app_state.h"
#include "app/messages.h"
#include "formulas/steps.h"
#include "formulas/tangent_models.h"
#include "ui/launch.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace morv::ui {

namespace {

struct Arguments {
    bool splash = true;
    std::string atr; // the first argument that is not an option
};

// Qt has taken its own options out of argv already.
Arguments parse_arguments(int argc, char** argv) {
    Arguments a;
    bool have_file = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-splash") == 0) {
            a.splash = false;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            continue; // options of later versions are ignored
        } else if (!have_file) {
            a.atr = argv[i];
            have_file = true;
        }
    }
    return a;
}

// Qt ends the process with abort() when its platform plugin cannot reach the
// display named in the environment; while the application object is built, a
// fatal message ends it with the usual one line and status 1 instead.
void exit_on_fatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (type != QtFatalMsg) return;
    std::fputs(kNoDisplayText, stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

int run_program(int argc, char** argv) {
    if (const auto status = answer_before_qt(argc, argv)) return *status;
    QGuiApplication::setDesktopFileName(QStringLiteral(MORVANE_APP_ID));
    const QtMessageHandler previous = qInstallMessageHandler(exit_on_fatal);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setApplicationVersion(QStringLiteral(MORVANE_VERSION));
    const Arguments args = parse_arguments(argc, argv);
    app::Instance s;
    s.steps = &fpointer;
    s.platform = Platform::real();
    // Every clock value an image reads is noted, so that a saved PNG can
    // name the seed that draws it again.
    s.platform.now_seconds = [log = s.clock_log, real = s.platform.now_seconds] {
        return log->note(real());
    };
    MainWindow window(s, MainWindow::Options{.splash = args.splash, .tangents = &tangent_models});
    if (!window.create(args.atr)) {
        QMessageBox box(QMessageBox::Warning, app::kStartupErrorCaption, app::kGraphicsErrorText,
                        QMessageBox::Ok);
        box.exec();
        return 0;
    }
    QObject::connect(&window, &MainWindow::ended, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    return application.exec();
}

} // namespace morv::ui
