// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon for the hicolor theme: DIR/scalable/apps/ID.svg,
// drawn from the start-up attractor's own orbit (the Henon map in its default
// view), and DIR/NxN/apps/ID.png rendered from that SVG. A soft wide copy
// of the attractor under it keeps the shape legible at 16 pixels.
#include "core/catalogue.h"
#include "formulas/inline_steps.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <set>
#include <utility>
#include <vector>

namespace morv {
namespace {

constexpr int kBox = 256;   // the SVG's user units
constexpr int kMargin = 34; // between the tile's edge and the attractor
constexpr int kOrbitPoints = 20000;
constexpr double kCell = 2; // the grid of the dots, in user units

struct Point {
    double x, y;
};

// Orbit points of the start-up attractor, after the transient.
std::vector<Point3> henon_orbit() {
    Point3 v{};
    v.x = catalogue[kTypeHenon].pdef.xstart;
    v.y = catalogue[kTypeHenon].pdef.ystart;
    std::vector<Point3> orbit;
    for (int i = 0; i < kOrbitPoints + 100; ++i) {
        Point3 next = v;
        inline_steps::henon_point(catalogue[kTypeHenon].pdef, v, &next);
        v = next;
        if (i >= 100) orbit.push_back(v);
    }
    return orbit;
}

// The default view window mapped onto the box inside the margins, y upwards.
Point to_box(const Point3& v) {
    const ViewWindow& m = catalogue[kTypeHenon].mmdef;
    const double side = kBox - 2 * kMargin;
    return {kMargin + (v.x - m.xmin) / (m.xmax - m.xmin) * side,
            kMargin + (m.ymax - v.y) / (m.ymax - m.ymin) * side};
}

// The orbit as dots on a fine grid of the box, each cell once: a path of
// zero-length round-capped strokes, which the stroke width makes into dots.
QString orbit_path() {
    std::set<std::pair<int, int>> cells;
    for (const Point3& v : henon_orbit()) {
        const Point p = to_box(v);
        cells.emplace(static_cast<int>(p.x / kCell), static_cast<int>(p.y / kCell));
    }
    QString d;
    for (const auto& [cx, cy] : cells)
        d += QString("M%1 %2h0.1").arg((cx + 0.5) * kCell).arg((cy + 0.5) * kCell);
    return d;
}

QString icon_svg() {
    // The same dots twice: wide and soft, which carries the shape at small
    // sizes, and narrow for the strands themselves.
    const QString path = QString("    <path d=\"%1\"/>\n").arg(orbit_path());
    return QString(R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#1d2b53"/>
      <stop offset="1" stop-color="#0b1026"/>
    </linearGradient>
    <linearGradient id="orbit" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#ffd166"/>
      <stop offset="1" stop-color="#ef476f"/>
    </linearGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="44" fill="url(#tile)"/>
  <g fill="none" stroke="url(#orbit)" stroke-linecap="round" stroke-linejoin="round"
     stroke-opacity="0.45" stroke-width="26">
%1  </g>
  <g fill="none" stroke="url(#orbit)" stroke-linecap="round" stroke-linejoin="round"
     stroke-width="4">
%2  </g>
</svg>
)svg")
        .arg(path, path);
}

bool write_file(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int run(const QString& dir, const QString& id) {
    const QByteArray svg = icon_svg().toUtf8();
    const QString scalable = dir + "/scalable/apps";
    if (!QDir().mkpath(scalable) || !write_file(scalable + "/" + id + ".svg", svg)) {
        std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(scalable));
        return 1;
    }
    QSvgRenderer renderer(svg);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1/%2x%2/apps").arg(dir).arg(size);
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        if (!QDir().mkpath(folder) || !image.save(folder + "/" + id + ".png", "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}

} // namespace
} // namespace morv

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icons DIR ID\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen"); // no window is shown
    QGuiApplication app(argc, argv);
    return morv::run(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
}
