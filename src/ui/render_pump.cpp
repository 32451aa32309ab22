#include "ui/render_pump.h"

#include "core/run_calls.h"
#include "core/state.h"
#include "formulas/kernels.h"

#include <QElapsedTimer>
#include <algorithm>

namespace morv::ui {

namespace {
constexpr int kMaxBatch = 4096;
constexpr qint64 kGrowBelowNs = 250'000;     // a batch this fast may double
constexpr qint64 kShrinkAboveNs = 1'000'000; // a batch this slow halves
} // namespace

RenderPump::RenderPump(State& s, Hooks hooks, QObject* parent)
    : QObject(parent), s_(s), hooks_(std::move(hooks)) {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &RenderPump::slice);
    since_frame_.start();
}

void RenderPump::sync() {
    if (s_.okrun && !timer_.isActive()) timer_.start();
    if (!s_.okrun && timer_.isActive()) timer_.stop();
}

void RenderPump::run_batch(bool& stop) {
    const RunOutcome out = run_calls(s_, batch_, &fused_kernels);
    calls_ += out.calls;
    if (out.rc != 0 && hooks_.alloc_failed) hooks_.alloc_failed();
    if (!s_.posted.empty()) {
        hooks_.posted();
        stop = true;
    }
}

// Within a slice no input can arrive, so calling the driver many times in a
// row looks exactly like one call per loop turn, only faster.
void RenderPump::slice() {
    QElapsedTimer clock;
    clock.start();
    bool stop = false;
    while (s_.okrun && !stop) {
        const qint64 before = clock.nsecsElapsed();
        run_batch(stop);
        const qint64 took = clock.nsecsElapsed() - before;
        if (!stop && took < kGrowBelowNs) batch_ = std::min(batch_ * 2, kMaxBatch);
        if (took > kShrinkAboveNs) batch_ = std::max(batch_ / 2, 1);
        if (clock.elapsed() >= kSliceMs) break;
    }
    slice_ns_ += clock.nsecsElapsed();
    if (since_frame_.elapsed() >= kFrameMs || !s_.okrun) {
        hooks_.frame();
        since_frame_.restart();
    }
    sync();
}

} // namespace morv::ui
