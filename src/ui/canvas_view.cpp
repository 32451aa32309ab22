// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/canvas_view.h"

#include "core/numeric.h"
#include "core/surface.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace morv::ui {

namespace {

constexpr int kWheelStep = 120;       // eighths of a degree in one notch
constexpr int kScaledRepaintMs = 100; // a scaled image is redrawn at most this often

// The surface stores 0xFFRRGGBB, which Qt shows as it is.
QImage image_of(const Surface& s) {
    return QImage(reinterpret_cast<const uchar*>(s.data()), s.width(), s.height(), s.width() * 4,
                  QImage::Format_RGB32);
}

} // namespace

CanvasView::CanvasView(const Surface& window, const Surface& canvas, QWidget* parent)
    : QWidget(parent), window_(window), canvas_(canvas) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    since_full_paint_.start();
}

double CanvasView::scale() const {
    if (!fit_ || canvas_.width() <= 0) return 1.0;
    return std::min({1.0, static_cast<double>(width()) / canvas_.width(),
                     static_cast<double>(height()) / canvas_.height()});
}

void CanvasView::set_fit(bool fit) {
    fit_ = fit;
    offset_ = QPoint();
    update();
    emit view_changed();
}

void CanvasView::set_pinned(const QRect& r) {
    pinned_ = r;
    update();
}

void CanvasView::clamp_offset() {
    offset_.setX(std::clamp(offset_.x(), 0, std::max(0, canvas_.width() - width())));
    offset_.setY(std::clamp(offset_.y(), 0, std::max(0, canvas_.height() - height())));
}

QPoint CanvasView::canvas_pixel(QPoint p) const {
    const double k = scale();
    return QPoint(trunc32(p.x() / k), trunc32(p.y() / k)) + offset_;
}

void CanvasView::surface_changed(const QRect& r) {
    if (at_one_to_one()) {
        update(r);
    } else if (!fit_ || since_full_paint_.elapsed() >= kScaledRepaintMs) {
        update();
        since_full_paint_.restart();
    }
}

void CanvasView::paint_canvas(QPainter& painter, const QRect& area) {
    const QImage image = image_of(canvas_);
    const double k = scale();
    const QRectF source(offset_.x(), offset_.y(), width() / k, height() / k);
    const QRectF shown = source & QRectF(image.rect());
    const QRectF target((shown.x() - offset_.x()) * k, (shown.y() - offset_.y()) * k,
                        shown.width() * k, shown.height() * k);
    painter.fillRect(area, Qt::black);
    if (!shown.isEmpty()) painter.drawImage(target, image, shown);
}

void CanvasView::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    const QRect area = e->rect();
    if (!at_one_to_one() && canvas_.width() > 0) {
        paint_canvas(painter, area);
        const QImage window = image_of(window_);
        const QRect pinned = pinned_ & window.rect();
        if (!pinned.isEmpty()) painter.drawImage(pinned.topLeft(), window, pinned);
    } else {
        if (window_.width() > 0 && window_.height() > 0) {
            const QImage image = image_of(window_);
            const QRect shown = area & image.rect();
            if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), image, shown);
        }
        const QRegion beyond = QRegion(area) - QRegion(0, 0, window_.width(), window_.height());
        for (const QRect& r : beyond)
            painter.fillRect(r, Qt::black);
    }
    if (drag_button_ == Qt::LeftButton && dragged_) {
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(drag_from_, drag_to_).normalized());
    }
}

void CanvasView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        emit clicked();
        return;
    }
    if (e->button() != Qt::LeftButton && e->button() != Qt::MiddleButton) return;
    drag_button_ = e->button();
    drag_from_ = drag_to_ = e->position().toPoint();
    offset_at_press_ = offset_;
    dragged_ = false;
}

void CanvasView::mouseMoveEvent(QMouseEvent* e) {
    if (drag_button_ == Qt::NoButton) return;
    drag_to_ = e->position().toPoint();
    if ((drag_to_ - drag_from_).manhattanLength() >= kDragThreshold) dragged_ = true;
    if (drag_button_ == Qt::MiddleButton && !fit_) {
        offset_ = offset_at_press_ - (drag_to_ - drag_from_);
        clamp_offset();
        emit view_changed();
    }
    update();
}

void CanvasView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != drag_button_) return;
    drag_to_ = e->position().toPoint();
    const bool was_drag = dragged_ || (drag_to_ - drag_from_).manhattanLength() >= kDragThreshold;
    const Qt::MouseButton button = drag_button_;
    drag_button_ = Qt::NoButton;
    dragged_ = false;
    update();
    if (button != Qt::LeftButton) return;
    if (!was_drag) {
        emit clicked();
        return;
    }
    const QPoint a = canvas_pixel(drag_from_), b = canvas_pixel(drag_to_);
    emit zoom_rect(app::PixelRect{a.x(), a.y(), b.x(), b.y()});
}

void CanvasView::wheelEvent(QWheelEvent* e) {
    wheel_rest_ += e->angleDelta().y();
    const int steps = wheel_rest_ / kWheelStep;
    wheel_rest_ -= steps * kWheelStep;
    if (steps != 0) emit wheel_steps(canvas_pixel(e->position().toPoint()), steps);
    e->accept();
}

} // namespace morv::ui
