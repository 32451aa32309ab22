// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace morv {

// The run-time library's pseudo-random generator: one linear congruential
// sequence behind rand(), lrand(), srand() and morvrandom().
class Random {
  public:
    void srand(std::uint32_t seed) { seed_ = seed; }
    // 0..32767
    int rand() {
        seed_ = seed_ * 214013u + 2531011u;
        return static_cast<int>((seed_ >> 16) & 0x7FFFu);
    }
    // 0..2147483647, from two draws of the same sequence (high bits only: the
    // low bits of the sequence alternate).
    int lrand() {
        seed_ = seed_ * 214013u + 2531011u;
        const std::uint32_t hi = (seed_ >> 16) & 0xFFFFu;
        seed_ = seed_ * 214013u + 2531011u;
        const std::uint32_t lo = (seed_ >> 16) & 0x7FFFu;
        return static_cast<int>((hi << 15) | lo);
    }
    // Uniform on [0, 1], both ends possible.
    double morvrandom() { return rand() * (1.0 / 32767.0); }

  private:
    std::uint32_t seed_ = 1;
};

// Waits and the clock. The defaults make an instance reproducible: waits are
// skipped and the clock stands still at 0. The desktop program installs real
// ones; morvane-render installs a real clock unless it is given a seed.
struct Platform {
    std::function<void(int ms)> sleep_ms = [](int) {};
    std::function<std::int64_t()> now_seconds = [] { return std::int64_t{0}; };
    // Largest hit-count buffer the driver may allocate; lets tests exercise
    // the out-of-memory path.
    std::size_t max_alloc_bytes = SIZE_MAX;

    static Platform real();
};

} // namespace morv
