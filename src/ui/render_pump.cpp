// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/render_pump.h"

#include "app/app_state.h"
#include "app/commands.h"
#include "app/tone_commands.h"
#include "core/run_calls.h"
#include "formulas/kernels.h"

#include <algorithm>

namespace morv::ui {

namespace {
constexpr int kMaxBatch = 4096;
constexpr std::int64_t kGrowBelowNs = 250'000;     // a batch this fast may double
constexpr std::int64_t kShrinkAboveNs = 1'000'000; // a batch this slow halves
constexpr std::int64_t kNsPerMs = 1'000'000;
} // namespace

RenderPump::RenderPump(app::Instance& s, Hooks hooks, QObject* parent)
    : QObject(parent), s_(s), hooks_(std::move(hooks)) {
    system_clock_.start();
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &RenderPump::slice);
    last_frame_ns_ = now();
}

std::int64_t RenderPump::now() const {
    return hooks_.now_ns ? hooks_.now_ns() : system_clock_.nsecsElapsed();
}

void RenderPump::hold(int ms) {
    if (ms <= 0) return;
    wake_ns_ = std::max(wake_ns_, now() + ms * kNsPerMs);
    held_ = true;
}

int RenderPump::wait_ms() const {
    const std::int64_t left = wake_ns_ - now();
    return left <= 0 ? 0 : static_cast<int>((left + kNsPerMs - 1) / kNsPerMs);
}

void RenderPump::stop() {
    timer_.stop();
    cores_.pause(true);
}

void RenderPump::sync() {
    cores_.pause(!s_.rendering);
    if (!s_.rendering) {
        timer_.stop();
        return;
    }
    const int wait = on_cores_ && cores_.active() ? kCoresLookMs : wait_ms();
    if (!timer_.isActive() || timer_.interval() != wait) timer_.start(wait);
}

void RenderPump::run_batch(bool& stop) {
    // A fresh image starts with the batch: a restart between calls ends one
    // (the pause of a complete image, or a command).
    if (s_.fresh_image) {
        image_calls_ = 0;
        s_.unsaved_ns = 0;
        s_.clock_log->reset();
        app::start_fine_orbit(s_);
    }
    const RunOutcome out = run_calls(s_, batch_, &fused_kernels, &held_);
    // An oversampled toning draws the same orbit again on its finer grid.
    app::run_fine_orbit(s_, out.calls);
    calls_ += out.calls;
    image_calls_ += out.calls;
    s_.image_calls = image_calls_;
    if (out.last == Outcome::NoMemory && hooks_.alloc_failed) hooks_.alloc_failed();
    // The pause is carried out before any further call.
    if (app::take_outcome(s_, out.last)) {
        hooks_.posted();
        stop = true;
    }
}

void RenderPump::choose_path() {
    cores_.cancel(); // an old picture is never shown over the new one
    const bool was_on_cores = on_cores_;
    if (s_.cores.on) app::start_cores_toning(s_); // the old density's memory is free again
    on_cores_ = s_.cores.on && !app::cores_refusal(s_, s_.cores);
    s_.image_orbits = on_cores_ ? s_.cores.orbits : 1;
    s_.image_fast = on_cores_ && s_.cores.fast;
    if (!on_cores_) {
        // The one orbit does not go on from what the workers drew.
        if (was_on_cores) s_.fresh_image = true;
        return;
    }
    image_calls_ = 0;
    cores_calls_ = 0;
    s_.image_calls = -1; // until every orbit is drawn
    s_.unsaved_ns = 0;
    s_.clock_log->reset();
    cores_.start(s_, s_.cores, s_.platform.now_seconds());
    cores_.show(s_, app::cores_density(s_)); // the empty picture
    s_.outcome = Outcome::Plotted;
}

// The workers draw; this thread shows what they added and counts their
// calls, and pauses the rendering once every orbit is drawn, as a complete
// image does.
void RenderPump::cores_slice() {
    const long long made = cores_.calls();
    calls_ += made - cores_calls_;
    cores_calls_ = made;
    image_calls_ = made;
    const bool finished = cores_.finished();
    const bool shown = cores_.show(s_, app::cores_density(s_));
    if (finished) {
        const bool no_memory = cores_.out_of_memory();
        if (!no_memory) s_.image_calls = made;
        cores_.cancel();
        if (no_memory && hooks_.alloc_failed) hooks_.alloc_failed();
        if (app::take_outcome(s_, no_memory ? Outcome::NoMemory : Outcome::Complete))
            hooks_.posted();
    }
    if (shown || finished) {
        hooks_.frame();
        last_frame_ns_ = now();
    }
    sync();
}

// Within a slice no input can arrive, so calling the driver many times in a
// row looks exactly like one call per loop turn, only faster. The clock is
// read after every batch, and a batch is kept well under a slice.
void RenderPump::slice() {
    // A fresh image, or a resumed one whose orbits were all drawn, starts
    // afresh on the path the settings choose.
    if (s_.rendering && (s_.fresh_image || (on_cores_ && !cores_.active()))) choose_path();
    if (on_cores_) {
        if (s_.rendering) cores_slice();
        return;
    }
    const std::int64_t start = now();
    held_ = false;
    bool stop = start < wake_ns_;
    while (s_.rendering && !stop && !held_) {
        // A fresh image may be of another type: learn its cost afresh rather
        // than run a batch sized for a faster one.
        if (s_.fresh_image) batch_ = 1;
        const std::int64_t before = now();
        run_batch(stop);
        const std::int64_t after = now();
        const std::int64_t took = after - before;
        s_.unsaved_ns += took;
        if (!stop && !held_ && took < kGrowBelowNs) batch_ = std::min(batch_ * 2, kMaxBatch);
        if (took > kShrinkAboveNs) batch_ = std::max(batch_ / 2, 1);
        if (after - start >= kSliceMs * kNsPerMs) break;
    }
    const std::int64_t end = now();
    slice_ns_ += end - start;
    if (end - last_frame_ns_ >= kFrameMs * kNsPerMs || !s_.rendering) {
        hooks_.frame();
        last_frame_ns_ = end;
    }
    sync();
}

} // namespace morv::ui
