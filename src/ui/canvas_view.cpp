#include "ui/canvas_view.h"

#include "core/surface.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace morv::ui {

CanvasView::CanvasView(const Surface& window, QWidget* parent) : QWidget(parent), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

void CanvasView::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    const QRect area = e->rect();
    if (window_.width() > 0 && window_.height() > 0) {
        // The surface stores 0xFFRRGGBB, which Qt shows as it is.
        const QImage image(reinterpret_cast<const uchar*>(window_.data()), window_.width(),
                           window_.height(), window_.width() * 4, QImage::Format_RGB32);
        const QRect shown = area & image.rect();
        if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), image, shown);
    }
    const QRegion beyond = QRegion(area) - QRegion(0, 0, window_.width(), window_.height());
    for (const QRect& r : beyond)
        painter.fillRect(r, Qt::black);
}

void CanvasView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) emit clicked();
}

} // namespace morv::ui
