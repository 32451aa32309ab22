// The main window's additions for exploring: zoom with the mouse, the history
// of parameter sets, the view of large images and the status in the title.
#include "app/app_state.h"
#include "app/command_ids.h"
#include "core/catalogue.h"
#include "files/image.h"
#include "ui/canvas_view.h"
#include "ui/main_window.h"
#include "ui/render_pump.h"

#include <QKeySequence>
#include <QShortcut>
#include <cmath>

namespace morv::ui {

namespace {

constexpr double kWheelZoom = 0.8; // the window's span per wheel step in

bool has_plot_window(const app::Instance& s) {
    return valid_type(s.type) &&
           (catalogue[static_cast<std::size_t>(s.type)].poptions & kOptWindow) != 0;
}

} // namespace

void MainWindow::add_view_keys() {
    const auto key = [this](QKeySequence seq, auto slot) {
        auto* sc = new QShortcut(seq, this);
        sc->setContext(Qt::WindowShortcut);
        connect(sc, &QShortcut::activated, this, slot);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { step_history(true); });
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { step_history(false); });
    key(QKeySequence(Qt::Key_F), [this] { view_->set_fit(!view_->fit()); });
}

// A new set takes effect as a loaded one does: the image starts afresh, and
// rendering starts if it was paused.
void MainWindow::show_new_set(const app::ParameterSnapshot& before) {
    s_.history.changed(before, app::take_snapshot(s_));
    s_.firstloop = 1;
    if (s_.okrun) {
        after_commands();
        return;
    }
    post(app::kCmdRender);
}

void MainWindow::zoom_to_rect(app::PixelRect r) {
    if (!has_plot_window(s_)) return;
    const app::ParameterSnapshot before = app::take_snapshot(s_);
    const auto t = static_cast<std::size_t>(s_.type);
    s_.mm[t] = app::zoom_to_rect(s_.mm[t], catalogue[t].mmrange, s_.res, r);
    show_new_set(before);
}

void MainWindow::zoom_wheel(int x, int y, int steps) {
    if (!has_plot_window(s_) || steps == 0) return;
    const app::ParameterSnapshot before = app::take_snapshot(s_);
    const auto t = static_cast<std::size_t>(s_.type);
    s_.mm[t] =
        app::zoom_about(s_.mm[t], catalogue[t].mmrange, s_.res, x, y, std::pow(kWheelZoom, steps));
    if (app::take_snapshot(s_) == before) return; // already at a bound
    show_new_set(before);
}

void MainWindow::step_history(bool back) {
    const app::ParameterSnapshot now = app::take_snapshot(s_);
    const auto other = back ? s_.history.back(now) : s_.history.forward(now);
    if (!other) return;
    app::restore_snapshot(s_, *other);
    s_.firstloop = 1;
    if (s_.okrun)
        after_commands();
    else
        post(app::kCmdRender);
}

void MainWindow::update_status() {
    const long long points = pump_->image_calls();
    const double seconds = static_cast<double>(status_clock_.restart()) / 1000.0;
    if (s_.okrun && seconds > 0)
        status_rate_ = static_cast<double>(points - status_calls_) / seconds;
    else if (!s_.okrun)
        status_rate_ = 0;
    status_calls_ = points;
    const char* state = s_.okrun                          ? "rendering"
                        : s_.outcome == Outcome::Complete ? "complete"
                                                          : "paused";
    const std::string type =
        valid_type(s_.type) ? plain_type_name(catalogue[static_cast<std::size_t>(s_.type)].name)
                            : std::string();
    setWindowTitle(QStringLiteral("Morvane - %1 - %2 - %3 points - %4 points/s")
                       .arg(QString::fromStdString(type), QString::fromLatin1(state))
                       .arg(points)
                       .arg(static_cast<long long>(std::llround(status_rate_))));
}

} // namespace morv::ui
