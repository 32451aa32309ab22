// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures/about_picture.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/palette.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace morv::ui {

namespace {

constexpr int kMargin = 10;
constexpr int kSide = kAboutHeight - 2 * kMargin; // the attractor's square
constexpr int kPoints = 300000;
constexpr int kPeterDeJong = 6;
const QColor kBackground(12, 12, 28);

// Hits per pixel of the Peter de Jong map with its default coefficients; its
// orbit stays within [-2, 2] on both axes.
std::vector<int> dejong_hits() {
    const TypeParams& p = catalogue[kPeterDeJong].pdef;
    std::vector<int> hits(static_cast<std::size_t>(kSide) * kSide, 0);
    double x = 0.1, y = 0.1;
    for (int i = 0; i < kPoints; ++i) {
        const double nx = std::sin(p.a * y) - std::cos(p.b * x);
        const double ny = std::sin(p.c * x) - std::cos(p.d * y);
        x = nx;
        y = ny;
        const int col = trunc32((x + 2.0) * 0.25 * (kSide - 1));
        const int row = trunc32((2.0 - y) * 0.25 * (kSide - 1));
        if (col >= 0 && col < kSide && row >= 0 && row < kSide)
            ++hits[static_cast<std::size_t>(row) * kSide + static_cast<std::size_t>(col)];
    }
    return hits;
}

// Log-scaled hit counts through the first built-in palette.
void draw_attractor(QImage& image) {
    const std::vector<int> hits = dejong_hits();
    const int most = std::max(1, *std::max_element(hits.begin(), hits.end()));
    const double scale = 254.0 / std::log1p(most);
    for (int row = 0; row < kSide; ++row) {
        for (int col = 0; col < kSide; ++col) {
            const int h =
                hits[static_cast<std::size_t>(row) * kSide + static_cast<std::size_t>(col)];
            if (h == 0) continue;
            const int index = std::clamp(trunc32(1 + std::log1p(h) * scale), 1, 255);
            const RGB& c = defpal1[static_cast<std::size_t>(index)];
            image.setPixelColor(kMargin + col, kMargin + row, QColor(c[0], c[1], c[2]));
        }
    }
}

void draw_name(QImage& image) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect text_area(kSide + 2 * kMargin, kMargin, kAboutWidth - kSide - 3 * kMargin, kSide);
    QFont title = painter.font();
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(255, 245, 230));
    painter.drawText(text_area.adjusted(0, 0, 0, -kSide / 2), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Morvane"));
    QFont line = painter.font();
    line.setPixelSize(14);
    line.setBold(false);
    painter.setFont(line);
    painter.setPen(QColor(200, 200, 220));
    painter.drawText(text_area.adjusted(0, kSide / 2 + 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("strange attractors\nand chaotic maps"));
}

} // namespace

QImage about_picture() {
    QImage image(kAboutWidth, kAboutHeight, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(kBackground);
    draw_attractor(image);
    draw_name(image);
    return image;
}

} // namespace morv::ui
