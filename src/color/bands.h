#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace morv {

// How many threads a whole-image pass over `pixels` pixels uses: one below a
// million pixels, where starting threads costs about what they save.
unsigned pass_threads(std::size_t pixels);

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
    std::vector<std::thread> threads;
    unsigned b = 1;
    try {
        threads.reserve(bands - 1);
        for (; b < bands; ++b)
            threads.emplace_back(run, b);
    } catch (...) {
        for (; b < bands; ++b)
            run(b);
    }
    run(0);
    for (std::thread& t : threads)
        t.join();
}

} // namespace morv
