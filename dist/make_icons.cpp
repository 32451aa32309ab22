// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon in the sizes of the hicolor theme, for the
// installed layout: DIR/NxN/apps/ID.png. The window icon's picture on a tile
// with rounded corners, as desktops show application icons.
#include "ui/splash.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

QImage rounded_tile(const QImage& picture) {
    QImage tile(picture.size(), QImage::Format_ARGB32);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(picture));
    const qreal radius = picture.width() * 0.18;
    painter.drawRoundedRect(QRectF(picture.rect()), radius, radius);
    return tile;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icons DIR ID\n");
        return 2;
    }
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QString file =
            folder + QStringLiteral("/%1.png").arg(QString::fromLocal8Bit(argv[2]));
        if (!QDir().mkpath(folder) ||
            !rounded_tile(morv::ui::icon_picture(size)).save(file, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
