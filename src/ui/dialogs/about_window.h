// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QImage>

namespace morv::app {
struct AppState;
}

namespace morv::ui {

// The about window: a frameless picture that a typed character or a mouse
// click closes while `aboutflag` is set. Running it modally keeps the main
// window disabled for exactly as long as it shows.
class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    AboutWindow(const QImage& picture, app::AppState& app, QWidget* parent = nullptr);

    void reject() override; // only a character or a click closes it

  protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    void dismiss();

    QImage picture_;
    app::AppState& app_;
};

} // namespace morv::ui
