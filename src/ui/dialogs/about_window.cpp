// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/about_window.h"

#include "app/app_state.h"
#include "app/prompts.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/pictures/about_picture.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace morv::ui {

namespace {

constexpr const char* kMemoryCaption = "Memory Problem";
constexpr const char* kMemoryText =
    "Unable to allocate bitmap buffer.\nTry to free up some memory.";

} // namespace

AboutWindow::AboutWindow(const QImage& picture, app::AppState& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), picture_(picture), app_(app) {
    setObjectName("about");
    setFixedSize(kAboutWidth, kAboutHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->geometry();
        move(r.x() + r.width() / 2 - kAboutWidth / 2, r.y() + r.height() / 2 - kAboutHeight / 2);
    }
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void AboutWindow::keyPressEvent(QKeyEvent* e) {
    // Only keys that type a character, Esc and Enter included.
    if (!e->text().isEmpty()) dismiss();
}

void AboutWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) dismiss();
}

void AboutWindow::reject() {}

void AboutWindow::dismiss() {
    if (!app_.aboutflag) return;
    app_.aboutflag = 0;
    accept();
}

int run_about_window(QWidget* parent, app::AppState& app, app::Prompts& prompts,
                     const MakePicture& make) {
    const QImage picture = make();
    if (picture.isNull()) {
        prompts.warn(kMemoryCaption, kMemoryText);
        return 1;
    }
    AboutWindow window(picture, app, parent);
    window.exec();
    return 1;
}

} // namespace morv::ui
