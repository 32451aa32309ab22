// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures/options_chart_picture.h"

#include "app/forms/options_chart.h"
#include "ui/qt_text.h"

#include <QFont>
#include <QPainter>

namespace morv::ui {

namespace {

constexpr int kWidth = 470;
constexpr int kRowHeight = 11;
constexpr int kHeaderHeight = 40;
constexpr int kLegendHeight = 20;
constexpr int kHeight = kHeaderHeight + NTYPES * kRowHeight + kLegendHeight;
constexpr int kNumberX = 8;
constexpr int kNameX = 36;
constexpr int kPlusX = 360;
constexpr int kDollarX = 420;
constexpr int kMarkWidth = 30;

void draw_header(QPainter& painter) {
    QFont bold = painter.font();
    bold.setPixelSize(13);
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRect(0, 2, kWidth, 18), Qt::AlignCenter,
                     QStringLiteral("Attractor Types and Their Options"));
    bold.setPixelSize(11);
    painter.setFont(bold);
    const int y = 22;
    painter.drawText(QRect(kNameX, y, 200, 14), Qt::AlignLeft, QStringLiteral("type"));
    painter.drawText(QRect(kPlusX, y, kMarkWidth, 14), Qt::AlignCenter, QStringLiteral("+"));
    painter.drawText(QRect(kDollarX, y, kMarkWidth, 14), Qt::AlignCenter, QStringLiteral("$"));
    painter.drawLine(4, kHeaderHeight - 2, kWidth - 4, kHeaderHeight - 2);
}

void draw_rows(QPainter& painter) {
    QFont plain = painter.font();
    plain.setPixelSize(10);
    plain.setBold(false);
    painter.setFont(plain);
    for (const app::OptionsChartRow& row : app::options_chart()) {
        const int y = kHeaderHeight + row.type * kRowHeight;
        if (row.type % 2 == 1)
            painter.fillRect(4, y, kWidth - 8, kRowHeight, QColor(236, 236, 244));
        painter.setPen(Qt::black);
        painter.drawText(QRect(kNumberX, y, kNameX - kNumberX, kRowHeight), Qt::AlignLeft,
                         QString::number(row.type));
        painter.drawText(QRect(kNameX, y, kPlusX - kNameX, kRowHeight), Qt::AlignLeft,
                         qs(row.name));
        painter.setPen(QColor(0, 110, 40));
        if (row.changeable)
            painter.drawText(QRect(kPlusX, y, kMarkWidth, kRowHeight), Qt::AlignCenter,
                             QStringLiteral("+"));
        painter.setPen(QColor(150, 60, 0));
        if (row.random)
            painter.drawText(QRect(kDollarX, y, kMarkWidth, kRowHeight), Qt::AlignCenter,
                             QStringLiteral("$"));
    }
}

void draw_legend(QPainter& painter) {
    const int y = kHeaderHeight + NTYPES * kRowHeight;
    painter.setPen(Qt::black);
    painter.drawLine(4, y + 2, kWidth - 4, y + 2);
    painter.drawText(QRect(0, y + 4, kWidth, kLegendHeight - 4), Qt::AlignCenter,
                     QStringLiteral("+  =  changeable parameters      $  =  random parameters"));
}

} // namespace

QImage options_chart_picture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw_header(painter);
    draw_rows(painter);
    draw_legend(painter);
    return image;
}

} // namespace morv::ui
