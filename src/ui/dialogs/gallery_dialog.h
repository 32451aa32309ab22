// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/gallery.h"

#include <QDialog>
#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QToolButton;

namespace morv::ui {

// The random gallery: 9 or 16 candidates of the random search for the
// current type as thumbnails, each captioned with its Lyapunov exponent and
// dimension, drawn on all cores. A click on one accepts the dialog with it;
// "More" draws new ones. A box per coefficient keeps it as it is and a
// percentage keeps the draw near the current set: the search is then the
// steered one, also screened by the ranges of Random Search Options.
class GalleryDialog : public QDialog {
    Q_OBJECT
  public:
    GalleryDialog(const Params& ps, const StepTable& steps, const SearchSteering& steering,
                  std::int64_t clock, QWidget* parent = nullptr);

    // The candidate clicked, or nullptr.
    const app::GalleryCandidate* choice() const { return choice_; }
    // The thumbnail buttons of the candidates on view.
    const std::vector<QToolButton*>& cells() const { return cells_; }
    // Draws a new set of candidates.
    void more();
    // The steering the boxes and the percentage set now.
    SearchSteering steering() const;
    // The coefficients' boxes (a, b, c, d, sp0, sp1) and the percentage field
    // (0 shows "whole range": no spread).
    const std::vector<QCheckBox*>& freeze_boxes() const { return freeze_; }
    QDoubleSpinBox* spread_field() const { return spread_; }

  private:
    void show_candidates();
    QLayout* steering_row();

    const Params& ps_;
    const StepTable& steps_;
    const SearchSteering& steering_; // as Random Search Options left it
    std::int64_t clock_;
    QComboBox* count_;
    std::vector<QCheckBox*> freeze_;
    QDoubleSpinBox* spread_;
    QGridLayout* grid_;
    std::vector<QToolButton*> cells_;
    std::vector<app::GalleryCandidate> candidates_;
    const app::GalleryCandidate* choice_ = nullptr;
};

} // namespace morv::ui
