// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/gallery.h"

#include <QDialog>
#include <cstdint>
#include <vector>

class QComboBox;
class QGridLayout;
class QToolButton;

namespace morv::app {
struct Instance;
}

namespace morv::ui {

// The random gallery: 9 or 16 candidates of the random search for the
// current type as thumbnails, each captioned with its Lyapunov exponent and
// dimension, drawn on all cores. A click on one accepts the dialog with it;
// "More" draws new ones.
class GalleryDialog : public QDialog {
    Q_OBJECT
  public:
    GalleryDialog(const app::Instance& s, std::int64_t clock, QWidget* parent = nullptr);

    // The candidate clicked, or nullptr.
    const app::GalleryCandidate* choice() const { return choice_; }
    // The thumbnail buttons of the candidates on view.
    const std::vector<QToolButton*>& cells() const { return cells_; }
    // Draws a new set of candidates.
    void more();

  private:
    void show_candidates();

    const app::Instance& s_;
    std::int64_t clock_;
    QComboBox* count_;
    QGridLayout* grid_;
    std::vector<QToolButton*> cells_;
    std::vector<app::GalleryCandidate> candidates_;
    const app::GalleryCandidate* choice_ = nullptr;
};

} // namespace morv::ui
