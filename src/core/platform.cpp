// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace morv {

Platform Platform::real() {
    Platform p;
    p.sleep_ms = [](int ms) {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    };
    p.now_seconds = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    return p;
}

} // namespace morv
