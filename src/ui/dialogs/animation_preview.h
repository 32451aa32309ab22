// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/history_animation.h"
#include "core/catalogue.h"
#include "core/params.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>
#include <cstdint>
#include <vector>

class QLabel;

namespace morv::ui {

// "Animate from History": the frames between the keys drawn small, one
// after the other, then shown again in a loop from memory; any key or click
// stops it.
class AnimationPreview : public QDialog {
    Q_OBJECT
  public:
    AnimationPreview(std::vector<Params> keys, const StepTable& steps, std::int64_t clock,
                     const app::PreviewPlan& plan, QWidget* parent = nullptr);

    long long frames() const { return frames_; }
    // Frames drawn so far (all of them once the loop replays).
    long long drawn() const { return static_cast<long long>(pictures_.size()); }
    // Draws the next frame, or shows the next one drawn before.
    void next_frame();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    std::vector<Params> keys_;
    const StepTable& steps_;
    std::int64_t clock_;
    app::PreviewPlan plan_;
    long long frames_;
    long long shown_ = 0; // the frame on view
    std::vector<QPixmap> pictures_;
    QLabel* picture_;
    QLabel* caption_;
    QTimer timer_;
};

} // namespace morv::ui
