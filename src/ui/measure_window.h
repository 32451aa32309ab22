// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/precise.h"
#include "core/params.h"
#include "core/tangent.h"

#include <QTimer>
#include <QWidget>
#include <atomic>
#include <mutex>
#include <thread>

class QPlainTextEdit;

namespace morv::ui {

// The precise measures of the current parameter set: the Lyapunov spectrum,
// the Kaplan-Yorke and the correlation dimension, worked out on a thread of
// their own from a copy of the parameters and shown as they converge. The
// window looks at the parameter set four times a second and starts afresh
// when what it measures changed (a dialog, a random set, Ctrl+Z).
class MeasureWindow : public QWidget {
    Q_OBJECT
  public:
    MeasureWindow(const Params& watched, const TangentTable* models, QWidget* parent);
    ~MeasureWindow() override;

    // Ends the work in progress (at its next piece) and waits for it.
    void stop();
    // The text shown, for tests.
    QString text() const;
    // Whether the measurement of the current set is complete.
    bool finished() const;

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void follow();
    void start();
    void show_progress();

    const Params& watched_;
    const TangentTable* models_;
    Params measured_;
    QPlainTextEdit* view_;
    QTimer timer_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    PreciseMeasure latest_; // guarded by mutex_
    bool done_ = false;     // guarded by mutex_
    bool fresh_ = false;    // guarded by mutex_: a report not yet shown
};

// Whether two parameter sets measure alike: the type and what its map reads.
bool same_measure_inputs(const Params& a, const Params& b);

} // namespace morv::ui
