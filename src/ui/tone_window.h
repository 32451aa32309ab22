// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/picture.h"

#include <QKeySequence>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSlider;
class QSpinBox;

namespace morv::ui {

// The tone curve's settings, the colour source and the oversampling of a
// toned picture, and whether the picture is toned at all. Each control
// reports at once, so that the picture on view follows a slider as it
// moves; `settled` tells the end of a gesture (a slider let go, a key, a
// field left), where one step of the history is recorded.
class ToneWindow : public QWidget {
    Q_OBJECT
  public:
    using Changed = std::function<void(const PictureSettings& p, bool settled)>;
    ToneWindow(Changed changed, QWidget* parent);

    // Shows `p` without reporting it (Ctrl+Z, a loaded picture).
    void show_settings(const PictureSettings& p);
    const PictureSettings& settings() const { return shown_; }

    // The sliders and fields, in their order on screen: the curve's
    // exposure, gamma, vibrancy, gamma threshold and contrast, then the
    // oversampling filter's width.
    static constexpr int kCurveSettings = 5;
    static constexpr int kFilterWidth = kCurveSettings;
    static constexpr int kSliderSettings = kCurveSettings + 1;
    QSlider* slider(int i) const { return rows_[static_cast<std::size_t>(i)].slider; }
    QDoubleSpinBox* field(int i) const { return rows_[static_cast<std::size_t>(i)].field; }
    QCheckBox* tone_box() const { return tone_; }
    QComboBox* color_box() const { return color_; }
    QSpinBox* oversample_box() const { return oversample_; }

    // A key of the main window's that acts here too (Ctrl+Z), before any
    // control of this window takes it.
    void add_shortcut(const QKeySequence& key, std::function<void()> act);

  protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    struct Row {
        QSlider* slider = nullptr;
        QDoubleSpinBox* field = nullptr;
    };
    void add_slider_row(int i, int row);
    bool moved_choice(QObject* watched, const QKeyEvent& key);
    void slider_moved(int i, int position, bool settled);
    void field_set(int i, double value);
    void report(bool settled);

    Changed changed_;
    PictureSettings shown_;
    std::array<Row, kSliderSettings> rows_{};
    std::vector<QKeySequence> passed_keys_;
    QCheckBox* tone_ = nullptr;
    QComboBox* color_ = nullptr;
    QSpinBox* oversample_ = nullptr;
};

// A curve setting's slider position (0..kSliderSteps) for a value, and back;
// the wide ranges go by ratios, so that every position is a like step.
inline constexpr int kSliderSteps = 1000;
int slider_position(int setting, double value);
double slider_value(int setting, int position);

} // namespace morv::ui
