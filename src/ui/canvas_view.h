#pragma once

#include <QWidget>

namespace morv {
class Surface;
}

namespace morv::ui {

// The main window's client area: shows the window surface at 1:1 from its
// top-left corner, black beyond it. A left or right click is reported.
class CanvasView : public QWidget {
    Q_OBJECT
  public:
    CanvasView(const Surface& window, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    const Surface& window_;
};

} // namespace morv::ui
