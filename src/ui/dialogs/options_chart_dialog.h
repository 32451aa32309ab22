// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

namespace morv::ui {

// Dialog 600: the options chart (picture 610) and a "Close" button (1) at the
// bottom centre. No caption and no close box; Enter closes, Esc does not.
class OptionsChartDialog : public QDialog {
    Q_OBJECT
  public:
    explicit OptionsChartDialog(const QImage& chart, QWidget* parent = nullptr);
    QLabel* picture() const { return picture_; }
    QPushButton* close_button() const { return close_; }

    void reject() override; // Esc and the window manager's close: ignored

  private:
    QLabel* picture_;
    QPushButton* close_;
};

} // namespace morv::ui
