#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace morv::test {

// The one QApplication of the test program, made on first use and never
// destroyed: Qt's own globals may be gone by the time static objects are.
inline QApplication& qt_app() {
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Handles events until `done` holds; false when it still does not after a
// generous time (a hang guard, not a speed test).
inline bool process_until(const std::function<bool()>& done, int limit_ms = 30000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limit_ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace morv::test
