// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/measure_window.h"

#include "analysis/precise_report.h"
#include "core/catalogue.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace morv::ui {

namespace {

constexpr int kFollowMs = 250;

} // namespace

bool same_measure_inputs(const Params& a, const Params& b) {
    return a.type == b.type && valid_type(a.type) && a.p[a.type] == b.p[b.type] &&
           a.basinflag == b.basinflag && a.pgmindex == b.pgmindex && a.pgmx0 == b.pgmx0 &&
           a.pgmy0 == b.pgmy0 && a.rosslerflag == b.rosslerflag;
}

MeasureWindow::MeasureWindow(const Params& watched, const TangentTable* models, QWidget* parent)
    : QWidget(parent, Qt::Tool), watched_(watched), models_(models),
      view_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Measure"));
    view_->setReadOnly(true);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    resize(760, 260);
    timer_.setInterval(kFollowMs);
    connect(&timer_, &QTimer::timeout, this, &MeasureWindow::follow);
}

MeasureWindow::~MeasureWindow() {
    stop();
}

void MeasureWindow::stop() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
    stop_ = false;
}

void MeasureWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    start();
    timer_.start();
}

// Hidden, the window does no work.
void MeasureWindow::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    timer_.stop();
    stop();
}

void MeasureWindow::start() {
    stop();
    measured_ = watched_;
    {
        const std::lock_guard lock(mutex_);
        latest_ = PreciseMeasure{};
        done_ = false;
        fresh_ = false;
    }
    const QString name =
        valid_type(measured_.type)
            ? QString::fromUtf8(catalogue[measured_.type].name.data(),
                                static_cast<qsizetype>(catalogue[measured_.type].name.size()))
            : QString();
    view_->setPlainText(name.trimmed() + QStringLiteral(": measuring..."));
    if (models_ == nullptr) return;
    worker_ = std::thread([this, ps = measured_, models = models_] {
        measure_progressively(
            ps, *models, PreciseSettings{},
            [this](const PreciseMeasure& m, bool done) {
                const std::lock_guard lock(mutex_);
                latest_ = m;
                done_ = done;
                fresh_ = true;
            },
            stop_);
    });
}

void MeasureWindow::follow() {
    if (!same_measure_inputs(watched_, measured_)) {
        start();
        return;
    }
    show_progress();
}

void MeasureWindow::show_progress() {
    PreciseMeasure m;
    bool done = false;
    {
        const std::lock_guard lock(mutex_);
        if (!fresh_) return;
        fresh_ = false;
        m = latest_;
        done = done_;
    }
    const std::string name(catalogue[measured_.type].name);
    std::string text = name + (done ? "\n" : " (converging...)\n");
    text += m.failure.empty() ? precise_text(m) : "cannot be measured: " + m.failure + "\n";
    view_->setPlainText(QString::fromStdString(text));
}

QString MeasureWindow::text() const {
    return view_->toPlainText();
}

bool MeasureWindow::finished() const {
    const std::lock_guard lock(mutex_);
    return done_;
}

} // namespace morv::ui
