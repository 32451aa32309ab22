#pragma once

#include "app/prompts.h"
#include "qt_support.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morv::test {

// The ui test program's one application object.
inline void ensure_qt_app() {
    qt_app();
}

// Message boxes recorded instead of shown.
struct RecordingPrompts : app::Prompts {
    struct Box {
        std::string kind, caption, text;
    };
    std::vector<Box> boxes;

    void inform(std::string_view caption, std::string_view text) override {
        boxes.push_back({"inform", std::string(caption), std::string(text)});
    }
    void warn(std::string_view caption, std::string_view text) override {
        boxes.push_back({"warn", std::string(caption), std::string(text)});
    }
    bool ask(std::string_view caption, std::string_view text) override {
        boxes.push_back({"ask", std::string(caption), std::string(text)});
        return true;
    }
    std::optional<std::string> choose_file(const app::FileDialogSpec&,
                                           const std::string&) override {
        return std::nullopt;
    }
};

inline void press_key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                    key == Qt::Key_Escape ? QStringLiteral("\x1b") : QString());
    QApplication::sendEvent(w, &press);
}

// Runs `act` on the modal dialog once the event loop of `run` has shown it.
// Should `act` leave it open, it is hidden after a while so that the test
// fails instead of hanging (a hang guard, not a speed test).
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
