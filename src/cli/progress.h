// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace morv {

// The progress line on a terminal: a bar, the share done, points per second
// and the time left, redrawn at most a few times a second.
class Progress {
  public:
    Progress(bool enabled, long long total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(long long done);

  private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    long long total_;
    Clock::time_point start_, shown_at_;
    bool shown_ = false;
};

} // namespace morv
