// SPDX-License-Identifier: GPL-3.0-or-later
// Builds Morvane.pdf from the manual's HTML source, the gallery pictures that
// morvane-render drew during the build and the bundled palettes.
// Run: make-manual SOURCE.html GALLERY_DIR MAPS_DIR OUT.pdf
#include "cli/options.h"
#include "color/mapfile.h"
#include "core/catalogue.h"
#include "core/type_ids.h"
#include "manual_layout.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextFrame>
#include <QTimeZone>
#include <QUrl>

#include <cstdio>

namespace morv {
namespace {

constexpr int kGalleryColumns = 4;

QString html_escaped(const std::string& s) {
    return QString::fromStdString(s).toHtmlEscaped();
}

// Every type's picture as the resource "gallery:N", for the grid and for the
// type's own entry.
bool add_type_pictures(QTextDocument& doc, const QString& dir) {
    for (int type = 0; type < NTYPES; ++type) {
        const QString path = QString("%1/type%2.png").arg(dir).arg(type, 2, 10, QChar('0'));
        QImage picture(path);
        if (picture.isNull()) {
            std::fprintf(stderr, "make-manual: cannot read %s\n", qPrintable(path));
            return false;
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(QString("gallery:%1").arg(type)),
                        picture);
    }
    return true;
}

// Every picture the text names as "extra:NAME", read from extra_NAME.png.
bool add_extra_pictures(QTextDocument& doc, const QString& dir, const QString& html) {
    const QRegularExpression name(QStringLiteral("extra:([a-z0-9_]+)"));
    for (const QRegularExpressionMatch& m : name.globalMatch(html)) {
        const QString path = QString("%1/extra_%2.png").arg(dir, m.captured(1));
        QImage picture(path);
        if (picture.isNull()) {
            std::fprintf(stderr, "make-manual: cannot read %s\n", qPrintable(path));
            return false;
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(m.captured(0)), picture);
    }
    return true;
}

// Four pictures a row, each captioned with its type number and name.
QString gallery_grid() {
    QString html = "<table cellspacing=\"6\" cellpadding=\"0\" width=\"100%\">";
    for (int type = 0; type < NTYPES; ++type) {
        if (type % kGalleryColumns == 0) html += "<tr>";
        html += QString("<td align=\"center\" valign=\"top\"><img src=\"gallery:%1\" width=\"118\" "
                        "height=\"118\"><br><small>%1&nbsp;%2</small></td>")
                    .arg(type)
                    .arg(html_escaped(std::string(short_type_name(type))));
        if (type % kGalleryColumns == kGalleryColumns - 1 || type == NTYPES - 1) html += "</tr>";
    }
    return html + "</table>";
}

// The options the build drew a type's picture with, as the build wrote them
// beside it; empty when there are none.
QString picture_options(const QString& dir, int type) {
    QFile file(QString("%1/type%2.options").arg(dir).arg(type, 2, 10, QChar('0')));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).simplified();
}

// Each "<!--PICTURE:N-->" becomes type N's picture with the command that drew it.
void place_type_pictures(QString& html, const QString& dir) {
    for (int type = 0; type < NTYPES; ++type) {
        const QString command = QString("morvane-render --type %1 --res 200 --seed 1 %2")
                                    .arg(type)
                                    .arg(picture_options(dir, type))
                                    .trimmed();
        html.replace(QString("<!--PICTURE:%1-->").arg(type),
                     QString("<img src=\"gallery:%1\" width=\"190\" height=\"190\">"
                             "<p><small><tt>%2</tt></small></p>")
                         .arg(type)
                         .arg(command.toHtmlEscaped()));
    }
}

// The same orbits three ways: the hit-count method, log-density toning, and
// toning at S = 3 oversampling; one row per type.
bool add_toned_gallery(QTextDocument& doc, const QString& dir, QString& html) {
    constexpr const char* kKinds[] = {"plain", "toned", "s3"};
    html = "<table cellspacing=\"6\" cellpadding=\"0\"><tr><th>Hit Count</th>"
           "<th>log-density toning</th><th>toned, S = 3</th></tr>";
    for (const int type : {static_cast<int>(kTypePickover), static_cast<int>(kTypeDeJong)}) {
        html += QString("<tr><td colspan=\"3\"><small>%1&nbsp;%2</small></td></tr><tr>")
                    .arg(type)
                    .arg(html_escaped(std::string(short_type_name(type))));
        for (const char* kind : kKinds) {
            const QString path = QString("%1/toned_%2_%3.png").arg(dir).arg(type).arg(kind);
            QImage picture(path);
            if (picture.isNull()) {
                std::fprintf(stderr, "make-manual: cannot read %s\n", qPrintable(path));
                return false;
            }
            const QString url = QString("toned:%1:%2").arg(type).arg(kind);
            doc.addResource(QTextDocument::ImageResource, QUrl(url), picture);
            html += QString("<td align=\"center\"><img src=\"%1\" width=\"150\" "
                            "height=\"150\"></td>")
                        .arg(url);
        }
        html += "</tr>";
    }
    html += "</table>";
    return true;
}

// One row per palette: its name and a strip of its 256 entries.
bool add_palettes(QTextDocument& doc, const QString& dir, QString& html) {
    const QStringList names = QDir(dir).entryList({"*.map"}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        std::fprintf(stderr, "make-manual: no palettes in %s\n", qPrintable(dir));
        return false;
    }
    html = "<table cellspacing=\"2\" cellpadding=\"2\">";
    for (const QString& name : names) {
        QFile file(dir + "/" + name);
        Palette pal{};
        const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (!parse_map(text.constData(), static_cast<std::size_t>(text.size()), pal)) {
            std::fprintf(stderr, "make-manual: %s is not a palette\n", qPrintable(name));
            return false;
        }
        QImage strip(256, 1, QImage::Format_RGB32);
        for (int i = 0; i < 256; ++i)
            strip.setPixel(i, 0, qRgb(pal[i][0], pal[i][1], pal[i][2]));
        const QString url = "palette:" + name;
        doc.addResource(QTextDocument::ImageResource, QUrl(url), strip.scaled(256, 16));
        html += QString("<tr><td><tt>%1</tt></td><td><img src=\"%2\" width=\"256\" "
                        "height=\"16\"></td></tr>")
                    .arg(name.chopped(4).toHtmlEscaped(), url);
    }
    html += "</table>";
    return true;
}

// The layout's own resolution: the document is laid out at the screen's 96
// dots per inch, as its pixel sizes are written, and scaled onto the writer.
constexpr double kLayoutDpi = 96;

// Lays the document out on pages of the writer's size inside a frame of
// `margin_mm`.
void paginate(QTextDocument& doc, const QPdfWriter& pdf, double margin_mm) {
    const double scale = kLayoutDpi / pdf.logicalDpiY();
    QTextFrameFormat frame = doc.rootFrame()->frameFormat();
    frame.setMargin(margin_mm / 25.4 * kLayoutDpi);
    doc.rootFrame()->setFrameFormat(frame);
    doc.setPageSize(QSizeF(pdf.width() * scale, pdf.height() * scale));
}

// Draws the laid-out pages, each with its number at the foot.
bool print_pages(QTextDocument& doc, QPdfWriter& pdf, double margin_mm) {
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    const double scale = pdf.logicalDpiY() / kLayoutDpi;
    painter.scale(scale, scale);
    const QSizeF page = doc.pageSize();
    const qreal margin = margin_mm / 25.4 * kLayoutDpi;
    QFont number_font(doc.defaultFont().family());
    number_font.setPixelSize(12);
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0 && !pdf.newPage()) return false;
        painter.save();
        painter.translate(0, -i * page.height());
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.setClipRect(view);
        doc.drawContents(&painter, view);
        painter.restore();
        painter.setFont(number_font);
        painter.drawText(QRectF(0, page.height() - margin, page.width() - margin, margin * 0.5),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(i + 1));
    }
    return painter.end();
}

// Qt's PDF writer stamps the time of writing; a build for a package gives
// its own time in SOURCE_DATE_EPOCH instead, so that two builds of the same
// source make the same file. The stamp keeps its length: the offsets in the
// file's table stay right.
bool pin_creation_date(const QString& path) {
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty()) return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return false;
    QByteArray pdf = file.readAll();
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key);
    if (at < 0) return true;
    const QByteArray stamp = QDateTime::fromSecsSinceEpoch(epoch.toLongLong(), QTimeZone::utc())
                                 .toString("yyyyMMddhhmmss")
                                 .toLatin1();
    pdf.replace(at + key.size(), stamp.size(), stamp);
    return file.seek(0) && file.write(pdf) == pdf.size();
}

int run(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: make-manual SOURCE.html GALLERY_DIR MAPS_DIR OUT.pdf\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make-manual: cannot read %s\n", argv[1]);
        return 1;
    }
    QString html = QString::fromUtf8(source.readAll());
    QTextDocument doc;
    doc.setDefaultFont(QFont("DejaVu Sans", 10));
    const QString gallery_dir = QString::fromLocal8Bit(argv[2]);
    QString toned, palettes;
    if (!add_type_pictures(doc, gallery_dir) || !add_extra_pictures(doc, gallery_dir, html) ||
        !add_toned_gallery(doc, QString::fromLocal8Bit(argv[2]), toned) ||
        !add_palettes(doc, QString::fromLocal8Bit(argv[3]), palettes))
        return 1;
    html.replace("<!--GALLERY-->", gallery_grid());
    html.replace("<!--CONTENTS-->", manual::contents_table(html));
    place_type_pictures(html, gallery_dir);
    html.replace("<!--TONED-->", toned);
    html.replace("<!--PALETTES-->", palettes);
    html.replace("<!--USAGE-->", QString::fromUtf8(kUsage).toHtmlEscaped());
    // Each example in a table cell of its own, which the layout keeps on one
    // page when it is short.
    html.replace("<pre>",
                 "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr><td><pre>");
    html.replace("</pre>", "</pre></td></tr></table>");
    doc.setHtml(html);

    QPdfWriter pdf(QString::fromLocal8Bit(argv[4]));
    pdf.setTitle("Morvane");
    pdf.setCreator("Morvane make-manual");
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    constexpr double kMarginMm = 20;
    paginate(doc, pdf, kMarginMm);
    manual::keep_tables_together(doc);
    manual::fill_contents(doc);
    manual::report_split_rows(doc);
    if (!print_pages(doc, pdf, kMarginMm)) {
        std::fprintf(stderr, "make-manual: cannot write %s\n", argv[4]);
        return 1;
    }
    if (!pin_creation_date(QString::fromLocal8Bit(argv[4]))) {
        std::fprintf(stderr, "make-manual: cannot rewrite %s\n", argv[4]);
        return 1;
    }
    return 0;
}

} // namespace
} // namespace morv

int main(int argc, char** argv) {
    // Fonts and images need an application object; no window is ever shown.
    // A fixed hash seed writes the fonts in the same order every time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_HASH_SEED", "0");
    QGuiApplication app(argc, argv);
    return morv::run(argc, argv);
}
