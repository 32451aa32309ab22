// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workers.h"

#include <system_error>
#include <thread>
#include <vector>

namespace morv {

bool SharedWork::stopping() const {
    return failed.load() || (stop && stop());
}

long long run_workers(SharedWork& work, int threads, const std::function<void(bool)>& body) {
    auto worker = [&](bool reporter) {
        try {
            body(reporter);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(work.merge);
            if (!work.failure) work.failure = std::current_exception();
            work.failed = true;
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads > 1 ? static_cast<std::size_t>(threads - 1) : 0);
    try {
        for (int i = 1; i < threads; ++i)
            pool.emplace_back(worker, false);
    } catch (const std::system_error&) {
        // Fewer threads than asked for draw the same totals.
    }
    worker(true);
    for (std::thread& t : pool)
        t.join();
    if (work.failure) std::rethrow_exception(work.failure);
    return work.done.load();
}

} // namespace morv
