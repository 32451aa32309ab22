#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace morv {
struct State;
}

namespace morv::ui {

// Drives the render driver while rendering runs. A zero-interval timer is the
// idle message: each time it fires, the driver is called repeatedly for a
// short slice, stopping at once when a command has been posted so that it is
// carried out before any further call. While paused the timer is stopped and
// the program waits for events without using the processor.
class RenderPump : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<void()> posted;       // carry out s.posted
        std::function<void()> alloc_failed; // the driver could not get its buffer
        std::function<void()> frame;        // show what was drawn
    };

    RenderPump(State& s, Hooks hooks, QObject* parent = nullptr);

    // Runs the timer exactly while `okrun` is set.
    void sync();
    // Stops for good: the window is going away.
    void stop() { timer_.stop(); }
    bool running() const { return timer_.isActive(); }
    long long calls() const { return calls_; }
    // Time spent in slices so far, in nanoseconds.
    long long slice_ns() const { return slice_ns_; }

    static constexpr int kSliceMs = 5;
    static constexpr int kFrameMs = 16; // about 60 frames a second

  private:
    void slice();
    void run_batch(bool& stop);

    State& s_;
    Hooks hooks_;
    QTimer timer_;
    QElapsedTimer since_frame_;
    long long calls_ = 0;
    long long slice_ns_ = 0;
    int batch_ = 1; // driver calls between clock reads, adapted to the step's cost
};

} // namespace morv::ui
