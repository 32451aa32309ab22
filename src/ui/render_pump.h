// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cores_render.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace morv::app {
struct Instance;
}

namespace morv::ui {

// Drives the render driver while rendering runs. A timer is the idle message:
// each time it fires, the driver is called repeatedly for a slice of about
// 5 ms by the clock, stopping at once when a command has been posted so that
// it is carried out before any further call. A step's wait (hold) ends the
// slice and delays the next one instead of blocking the window. While paused
// the timer is stopped and the program waits for events without using the
// processor.
class RenderPump : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<void()> posted;       // carry out s.posted
        std::function<void()> alloc_failed; // the driver could not get its buffer
        std::function<void()> frame;        // show what was drawn
        // A monotonic clock in nanoseconds; the system's when empty.
        std::function<std::int64_t()> now_ns = {};
    };

    RenderPump(app::Instance& s, Hooks hooks, QObject* parent = nullptr);

    // Runs the timer exactly while `rendering` is set; the workers of a render on
    // every core wait while it is not.
    void sync();
    // Stops drawing: the window is going away, or asks whether it should.
    void stop();
    bool running() const { return timer_.isActive(); }
    long long calls() const { return calls_; }
    // Driver calls since the image was last started afresh.
    long long image_calls() const { return image_calls_; }
    // Time spent in slices so far, in nanoseconds.
    long long slice_ns() const { return slice_ns_; }

    // A step asks to wait `ms` before the next call: the slice ends after
    // this call and the next one starts once the time has passed.
    void hold(int ms);
    // One turn of the idle message (the timer calls it; tests call it with
    // their own clock).
    void slice();
    // Milliseconds until the next slice may call the driver.
    int wait_ms() const;

    static constexpr int kSliceMs = 5;
    static constexpr int kFrameMs = 16; // about 60 frames a second
    // A render on every core is looked at this often; the window's thread
    // does nothing else for it.
    static constexpr int kCoresLookMs = 40;

    // The picture under way is K orbits on worker threads.
    bool on_cores() const { return on_cores_; }
    // The render on every core, for its progress.
    const app::CoresRender& cores() const { return cores_; }

  private:
    void run_batch(bool& stop);
    // At a fresh image: K orbits on every core when the settings ask for them
    // and the picture allows, else the one orbit on this thread.
    void choose_path();
    void cores_slice();
    std::int64_t now() const;

    app::Instance& s_;
    Hooks hooks_;
    QTimer timer_;
    QElapsedTimer system_clock_;
    std::int64_t last_frame_ns_ = 0;
    std::int64_t wake_ns_ = 0; // no driver call before this time
    bool held_ = false;        // a call in this slice asked to wait
    long long calls_ = 0;
    long long image_calls_ = 0;
    long long slice_ns_ = 0;
    int batch_ = 1; // driver calls between clock reads, adapted to the step's cost
    app::CoresRender cores_;
    bool on_cores_ = false;
    long long cores_calls_ = 0; // the render on every core's calls counted so far
};

} // namespace morv::ui
