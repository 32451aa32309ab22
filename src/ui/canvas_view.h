// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/zoom.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QWidget>

namespace morv {
class Surface;
}

namespace morv::ui {

// The main window's client area. As the program starts it shows the window
// surface at 1:1 from its top-left corner, black beyond it. An image larger
// than the area can be moved with the middle button (then the canvas itself
// is shown from the moved corner) or fitted into the area (the display only
// is scaled: canvas and saved image keep their size). A left click without a
// drag and a right click are reported as clicks; a left drag reports the
// rectangle of canvas pixels it spans; the wheel reports its steps.
class CanvasView : public QWidget {
    Q_OBJECT
  public:
    CanvasView(const Surface& window, const Surface& canvas, QWidget* parent = nullptr);

    // Shows the image scaled down to fit, or at 1:1 again.
    void set_fit(bool fit);
    bool fit() const { return fit_; }
    // The canvas pixel shown at the top-left corner while moved.
    QPoint offset() const { return offset_; }
    // The window surface changed within `r` (widget coordinates at 1:1).
    void surface_changed(const QRect& r);
    // Shows rectangle `r` of the window surface at 1:1 over the picture in
    // every view (an empty one shows nothing).
    void set_pinned(const QRect& r);
    // The canvas pixel under a widget point.
    QPoint canvas_pixel(QPoint widget_point) const;

    static constexpr int kDragThreshold = 4; // pixels a press may move and still be a click

  signals:
    void clicked();
    void zoom_rect(app::PixelRect r);
    void wheel_steps(QPoint canvas_pixel, int steps); // positive: away from the user
    void view_changed();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    bool at_one_to_one() const { return !fit_ && offset_.isNull(); }
    double scale() const;
    void paint_canvas(QPainter& painter, const QRect& area);
    void clamp_offset();

    const Surface& window_;
    const Surface& canvas_;
    bool fit_ = false;
    QPoint offset_;
    QRect pinned_;
    // A drag in progress: the button, where it started, where it is now.
    Qt::MouseButton drag_button_ = Qt::NoButton;
    QPoint drag_from_, drag_to_, offset_at_press_;
    bool dragged_ = false;
    int wheel_rest_ = 0; // eighths of a degree not yet a whole step
    QElapsedTimer since_full_paint_;
};

} // namespace morv::ui
