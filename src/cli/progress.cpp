// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/progress.h"

#include <cstdio>
#include <unistd.h>

namespace morv {

namespace {

constexpr double kRedrawSeconds = 0.25;

// "12.3 M" style rates.
void print_rate(char* out, std::size_t size, double per_second) {
    if (per_second >= 1e6)
        std::snprintf(out, size, "%.1f M", per_second / 1e6);
    else if (per_second >= 1e3)
        std::snprintf(out, size, "%.1f k", per_second / 1e3);
    else
        std::snprintf(out, size, "%.0f", per_second);
}

} // namespace

Progress::Progress(bool enabled, long long total)
    : enabled_(enabled && ::isatty(2) != 0), total_(total), start_(Clock::now()),
      shown_at_(start_) {}

Progress::~Progress() {
    if (enabled_ && shown_) std::fprintf(stderr, "\r%79s\r", "");
}

void Progress::update(long long done) {
    if (!enabled_ || total_ <= 0) return;
    const Clock::time_point now = Clock::now();
    if (shown_ && std::chrono::duration<double>(now - shown_at_).count() < kRedrawSeconds) return;
    shown_ = true;
    shown_at_ = now;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    const double rate = elapsed > 0 ? done / elapsed : 0.0;
    const int pct = static_cast<int>(done * 100 / total_);
    const long long left = rate > 0 ? static_cast<long long>((total_ - done) / rate) : 0;
    char speed[32];
    print_rate(speed, sizeof speed, rate);
    std::fprintf(stderr, "\r[%-30.*s] %3d%%  %s points/s  %lld:%02lld:%02lld left ", pct * 30 / 100,
                 "##############################", pct, speed, left / 3600, left / 60 % 60,
                 left % 60);
    std::fflush(stderr);
}

} // namespace morv
