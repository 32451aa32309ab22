// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>

namespace morv {

// What the threads of a render share: the next piece of work, the calls made,
// and why they all stop early: a failure in one thread, or `stop` (a stop
// signal, a window's restart) answering true. `stop` is asked between slices
// of work by every thread at once, and may wait there (a paused render).
struct SharedWork {
    std::atomic<long long> next{0}, done{0};
    std::atomic<bool> failed{false};
    std::mutex merge;
    std::exception_ptr failure;
    std::function<bool()> stop{};
    bool stopping() const;
};

// Runs body(reporter) on up to `threads` threads, the calling one being the
// reporter; fewer run when the system gives fewer, drawing the same totals.
// Out of memory (or worse) in one thread stops them all and is rethrown here,
// not left to std::terminate. Returns the calls made.
long long run_workers(SharedWork& work, int threads, const std::function<void(bool)>& body);

} // namespace morv
