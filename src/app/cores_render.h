// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cores_settings.h"
#include "core/state.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace morv::app {

// Why the picture of `s` is not drawn as the settings' K orbits, if so: the
// type draws by itself, the method is not a point method, the fast lanes do
// not cover the type, the points are too few for K orbits at this size, or
// the render would not fit in the memory that can be had.
std::optional<std::string> cores_refusal(const State& s, const CoresSettings& o);

// Bytes a render of these settings holds at once besides the window's own
// canvas: the totals and their copies for the window, each worker's orbit
// and, toned, the densities and the toning on view.
unsigned long long cores_bytes(const State& s, const CoresSettings& o);

// The threads a render of these settings runs on.
int cores_threads(const CoresSettings& o);

// K orbits of a picture drawn on worker threads while the window's thread
// only looks at them now and then: the picture `morvane-render --orbits K
// [--fast] --seed CLOCK` draws, toned as `--tone log` tones it when the
// picture is toned (the orbits then draw on the oversampled grid and sum
// their densities). The workers read a copy of the parameters, so the window
// may change its own at once; a change restarts the render.
class CoresRender {
  public:
    CoresRender() = default;
    ~CoresRender() { cancel(); }
    CoresRender(const CoresRender&) = delete;
    CoresRender& operator=(const CoresRender&) = delete;

    // Ends any render under way, then starts drawing `s`'s picture as `o`
    // asks (cores_refusal must have no objection), every orbit's clock
    // derived from `clock`.
    void start(const State& s, const CoresSettings& o, std::int64_t clock);
    // While paused, the workers wait at their next slice, using no processor.
    void pause(bool paused);
    // Stops the workers and waits for them; what they drew is dropped.
    void cancel();

    bool active() const { return run_ != nullptr; }
    // Every orbit is drawn (or memory ran out).
    bool finished() const;
    bool out_of_memory() const;
    long long calls() const;

    // Paints the orbits drawn since the last look (their summed counts) on
    // `s`'s canvas and hit counts; false when there was nothing new. Not
    // toned (`toned` null), shows the canvas in its window; toned, hands the
    // summed density to `toned` instead, to be toned for the window.
    bool show(State& s, Density* toned = nullptr);

  private:
    struct Run;
    std::shared_ptr<Run> run_;
    std::thread thread_;
    std::vector<std::uint64_t> shown_counts_; // reused from look to look
};

} // namespace morv::app
