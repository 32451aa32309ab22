// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace morv {

// How many threads a whole-image pass over `pixels` pixels uses: one below a
// million pixels, where starting threads costs about what they save.
unsigned pass_threads(std::size_t pixels);

// A thread running f, or none (not joinable) when it cannot be started.
template <class F> std::thread start_thread(F&& f) {
    try {
        return std::thread(std::forward<F>(f));
    } catch (const std::system_error&) {
        return std::thread();
    }
}

// Splits [0, n) into `bands` runs starting at multiples of `align` and calls
// work(band, first, count) for each, band 0 on the calling thread and the
// others on threads of their own; returns when all are done. A thread that
// cannot be started leaves its band to the calling thread. work must not
// throw.
template <class Work>
void for_bands(std::size_t n, unsigned bands, std::size_t align, const Work& work) {
    bands = std::max(1u, bands);
    const std::size_t per = ((n + bands - 1) / bands + align - 1) / align * align;
    auto run = [&](unsigned b) {
        const std::size_t first = std::min(n, per * b);
        const std::size_t last = b + 1 == bands ? n : std::min(n, per * (b + 1));
        work(b, first, last - first);
    };
    std::vector<std::thread> threads(bands - 1);
    for (unsigned b = 1; b < bands; ++b)
        threads[b - 1] = start_thread([&run, b] { run(b); });
    run(0);
    for (unsigned b = 1; b < bands; ++b) {
        if (threads[b - 1].joinable())
            threads[b - 1].join();
        else
            run(b);
    }
}

} // namespace morv
