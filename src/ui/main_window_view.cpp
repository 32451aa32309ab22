// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's additions for exploring: zoom with the mouse, the history
// of parameter sets, the view of large images and the status in the title.
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/forms/cores_form.h"
#include "app/history_animation.h"
#include "app/menu.h"
#include "app/messages.h"
#include "app/search_steering.h"
#include "app/tone_commands.h"
#include "core/catalogue.h"
#include "ui/canvas_view.h"
#include "ui/dialogs/animation_preview.h"
#include "ui/dialogs/form_dialog.h"
#include "ui/dialogs/gallery_dialog.h"
#include "ui/main_window.h"
#include "ui/render_pump.h"

#include <QKeySequence>
#include <QShortcut>
#include <cmath>

namespace morv::ui {

namespace {

constexpr double kWheelZoom = 0.8; // the window's span per wheel step in
constexpr double kPanStep = 0.25;  // the window's span per pan key

} // namespace

// The Explore menu's items, which act on the window rather than through the
// command table. False for any other command.
bool MainWindow::explore_command(int id) {
    switch (id) {
    case app::kCmdUndo:
        step_history(true);
        return true;
    case app::kCmdRedo:
        step_history(false);
        return true;
    case app::kCmdFit:
        view_->set_fit(!view_->fit());
        return true;
    case app::kCmdGallery:
        open_gallery();
        return true;
    case app::kCmdCores:
        app::edit_cores(s_, ui_);
        after_commands();
        return true;
    case app::kCmdSearchOptions:
        open_search_options();
        return true;
    case app::kCmdAnimateHistory:
        animate_history();
        return true;
    case app::kCmdPanLeft:
    case app::kCmdPanRight:
    case app::kCmdPanUp:
    case app::kCmdPanDown:
        pan(id == app::kCmdPanLeft    ? -kPanStep
            : id == app::kCmdPanRight ? kPanStep
                                      : 0,
            id == app::kCmdPanDown ? -kPanStep
            : id == app::kCmdPanUp ? kPanStep
                                   : 0);
        return true;
    default:
        return false;
    }
}

void MainWindow::open_gallery() {
    if (!app::deliverable(s_, app::kCmdGallery)) return;
    GalleryDialog d(s_, *s_.steps, s_.steering, s_.platform.now_seconds(), this);
    const bool chosen = d.exec() == QDialog::Accepted && d.choice() != nullptr;
    // Its boxes are the search options' own: F5 and the next gallery keep them.
    s_.steering = d.steering();
    if (chosen) adopt(*d.choice());
}

void MainWindow::open_search_options() {
    if (!app::deliverable(s_, app::kCmdSearchOptions)) return;
    app::SteeringForm form;
    run_form_dialog(form, this, s_, ui_.prompts);
}

void MainWindow::animate_history() {
    if (!app::deliverable(s_, app::kCmdAnimateHistory)) return;
    const app::PreviewPlan plan;
    std::vector<Params> keys = app::history_keys(s_, s_, plan.side);
    if (keys.size() < 2) {
        ui_.prompts.inform("Animate from History", app::kTooFewKeysText);
        return;
    }
    AnimationPreview d(std::move(keys), *s_.steps, s_.platform.now_seconds(), plan, this);
    d.exec();
}

// As an accepted F5 set: in the history, and the image starts afresh.
void MainWindow::adopt(const app::GalleryCandidate& c) {
    const app::ParameterSnapshot before = app::take_snapshot(s_, s_);
    app::adopt_candidate(s_, c);
    s_.history.changed(before, app::take_snapshot(s_, s_));
    drain();
}

void MainWindow::pin_window_rect(const Rect& r) {
    view_->set_pinned(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

// A new set takes effect as a loaded one does: the image starts afresh, and
// rendering starts if it was paused.
void MainWindow::show_new_set(const app::ParameterSnapshot& before) {
    s_.history.changed(before, app::take_snapshot(s_, s_));
    s_.fresh_image = true;
    if (s_.rendering) {
        after_commands();
        return;
    }
    post(app::kCmdRender);
}

// A type that draws at a fixed scale says so in the title instead.
bool MainWindow::can_zoom() {
    zoom_refused_ = !app::follows_view(s_);
    if (zoom_refused_) update_status();
    return !zoom_refused_;
}

// The view window becomes `view`; nothing happens when it is already there
// (at a bound).
void MainWindow::set_view(const ViewWindow& view) {
    const app::ParameterSnapshot before = app::take_snapshot(s_, s_);
    s_.mm[static_cast<std::size_t>(s_.type)] = view;
    if (app::take_snapshot(s_, s_) == before) return;
    show_new_set(before);
}

void MainWindow::zoom_to_rect(app::PixelRect r) {
    if (!can_zoom()) return;
    const auto t = static_cast<std::size_t>(s_.type);
    set_view(app::zoom_to_rect(s_.mm[t], catalogue[t].mmrange, s_.res, r));
}

void MainWindow::zoom_wheel(int x, int y, int steps) {
    if (steps == 0 || !can_zoom()) return;
    const auto t = static_cast<std::size_t>(s_.type);
    set_view(
        app::zoom_about(s_.mm[t], catalogue[t].mmrange, s_.res, x, y, std::pow(kWheelZoom, steps)));
}

void MainWindow::pan(double fx, double fy) {
    if (!can_zoom()) return;
    const auto t = static_cast<std::size_t>(s_.type);
    set_view(app::pan_view(s_.mm[t], catalogue[t].mmrange, fx, fy));
}

void MainWindow::step_history(bool back) {
    const app::ParameterSnapshot now = app::take_snapshot(s_, s_);
    const auto other = back ? s_.history.back(now) : s_.history.forward(now);
    if (!other) return;
    const bool keep_points = app::only_retoned(now, *other);
    app::restore_snapshot(s_, s_, *other);
    if (keep_points) {
        after_commands(); // toned again, the points drawn kept
        return;
    }
    s_.fresh_image = true;
    if (s_.rendering)
        after_commands();
    else
        post(app::kCmdRender);
}

// After the palette changed while paused, the picture on view keeps its
// colours until the next render or filter draws with the new one.
std::string MainWindow::status_note() const {
    if (zoom_refused_) return std::string(" - ") + app::kCannotZoomNote;
    if (!s_.search_note.empty()) return " - " + s_.search_note;
    if (s_.rendering || s_.palette == palette_drawn_) return std::string();
    return " - the new palette applies at the next render or filter";
}

// The rate counts every driver call since the last status, across a fresh
// start of the image; a fresh image waiting to start has no points yet.
void MainWindow::update_status() {
    const long long points = s_.fresh_image ? 0 : pump_->image_calls();
    const long long calls = pump_->calls();
    const double seconds = static_cast<double>(status_clock_.restart()) / 1000.0;
    if (s_.rendering && seconds > 0)
        status_rate_ = static_cast<double>(calls - status_calls_) / seconds;
    else if (!s_.rendering)
        status_rate_ = 0;
    status_calls_ = calls;
    if (s_.rendering) palette_drawn_ = s_.palette;
    const char* state = s_.rendering                      ? "rendering"
                        : s_.outcome == Outcome::Complete ? "complete"
                                                          : "paused";
    const std::string type =
        valid_type(s_.type) ? std::string(short_type_name(s_.type)) : std::string();
    setWindowTitle(QStringLiteral("Morvane - %1 - %2 - %3 points - %4 points/s")
                       .arg(QString::fromStdString(type), QString::fromLatin1(state))
                       .arg(points)
                       .arg(static_cast<long long>(std::llround(status_rate_))) +
                   QString::fromStdString(status_note()));
}

} // namespace morv::ui
