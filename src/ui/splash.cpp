// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/splash.h"

#include "core/driver.h"
#include "core/state.h"
#include "formulas/steps.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QThread>

namespace morv::ui {

namespace {

// Henon's map coloured by hit count: a few hundred thousand points are
// enough for a picture this size and take a few milliseconds.
QImage render_attractor(int res, long long calls, const Palette& palette) {
    State s;
    s.steps = &fpointer;
    s.intro = 0;
    set_resolution(s, res);
    s.palette = palette;
    s.back = rgb(0, 0, 0);
    s.method[kTypeHenon] = kMethodHitCount;
    for (long long i = 0; i < calls; ++i) {
        render_step(s); // a pause is resumed at once
    }
    const QImage view(reinterpret_cast<const uchar*>(s.canvas.data()), res, res, res * 4,
                      QImage::Format_RGB32);
    return view.copy();
}

} // namespace

QImage splash_picture(int index) {
    QImage image = render_attractor(kSplashSize, 400000, index == 1 ? defpal1 : defpal2);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPointSize(28);
    font.setBold(true);
    painter.setFont(font);
    const QRect title(0, kSplashSize * 3 / 4, kSplashSize, kSplashSize / 4);
    painter.setPen(Qt::black); // a shadow keeps the name readable over the orbit
    painter.drawText(title.translated(2, 2), Qt::AlignCenter, QStringLiteral("Morvane"));
    painter.setPen(QColor(255, 245, 230));
    painter.drawText(title, Qt::AlignCenter, QStringLiteral("Morvane"));
    return image;
}

void splash(QWidget* owner, int index) {
    QLabel window(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setPixmap(QPixmap::fromImage(splash_picture(index)));
    window.setFixedSize(kSplashSize, kSplashSize);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->geometry();
        window.move(r.x() + r.width() / 2 - kSplashSize / 2,
                    r.y() + r.height() / 2 - kSplashSize / 2);
    }
    if (owner != nullptr) owner->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BlankCursor);
    window.show();
    window.repaint();
    // Let the window system put the picture on screen, then wait without
    // handling input, as the program does while its splash shows.
    QElapsedTimer shown;
    shown.start();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const qint64 rest = kSplashMs - shown.elapsed();
    if (rest > 0) QThread::msleep(static_cast<unsigned long>(rest));
    QApplication::restoreOverrideCursor();
    if (owner != nullptr) owner->setEnabled(true);
}

QImage icon_picture(int size) {
    constexpr long long kCallsAt64 = 30000;
    return render_attractor(size, kCallsAt64 * size * size / (64 * 64), defpal1);
}

QIcon program_icon() {
    return QIcon(QPixmap::fromImage(icon_picture(64)));
}

} // namespace morv::ui
