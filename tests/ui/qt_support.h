// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

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

inline void press_key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                    key == Qt::Key_Escape ? QStringLiteral("\x1b") : QString());
    QApplication::sendEvent(w, &press);
}

// Runs `act` on the modal dialog once the event loop of the caller's exec()
// has shown it. Should `act` leave it open, it is hidden after a while so
// that the test fails instead of hanging (a hang guard, not a speed test).
inline void when_modal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* w = QApplication::activeModalWidget();
        if (w == nullptr) return;
        act(w);
        QTimer::singleShot(30000, w, [w] {
            ADD_FAILURE() << "dialog left open";
            w->hide();
        });
    });
}

} // namespace morv::test
