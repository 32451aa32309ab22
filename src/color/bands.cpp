// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/bands.h"

namespace morv {

namespace {
constexpr std::size_t kPixelsPerThread = std::size_t{1} << 19;
constexpr unsigned kMaxThreads = 16;
} // namespace

unsigned pass_threads(std::size_t pixels) {
    if (pixels < 2 * kPixelsPerThread) return 1;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t useful = pixels / kPixelsPerThread;
    return static_cast<unsigned>(std::min<std::size_t>({cores, kMaxThreads, useful}));
}

} // namespace morv
