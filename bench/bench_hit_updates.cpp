// SPDX-License-Identifier: GPL-3.0-or-later
// How the lanes' pixels best reach the hit counts on two threads: counts of
// each thread's own, added into the totals at the end (what --fast does), or
// one shared buffer that both threads increment atomically. The pixels are
// those of eight interleaved Peter de Jong orbits, as the lanes make them, at
// 600 x 600 and 4000 x 4000. Both give the same exact integers; the figures
// say which is faster. Prints figures; never part of the tests.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int kLanes = 8;
constexpr std::size_t kStream = 1 << 23; // pixels per pass
constexpr int kPasses = 12;              // passes per thread

// The pixels (row-major indices) of eight de Jong orbits, interleaved.
std::vector<std::uint32_t> dejong_pixels(int res) {
    std::vector<std::uint32_t> out;
    out.reserve(kStream);
    double x[kLanes], y[kLanes];
    for (int l = 0; l < kLanes; ++l)
        x[l] = 0.1 * l, y[l] = -0.05 * l;
    const double a = 1.4, b = -2.3, c = 2.4, d = -2.1, scale = res / 4.0;
    while (out.size() < kStream)
        for (int l = 0; l < kLanes; ++l) {
            const double nx = std::sin(a * y[l]) - std::cos(b * x[l]);
            const double ny = std::sin(c * x[l]) - std::cos(d * y[l]);
            x[l] = nx, y[l] = ny;
            const int px = std::clamp(static_cast<int>((nx + 2) * scale), 0, res - 1);
            const int py = std::clamp(static_cast<int>((ny + 2) * scale), 0, res - 1);
            out.push_back(static_cast<std::uint32_t>(py * res + px));
        }
    return out;
}

template <class Work> double seconds_of(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each thread's counts, added into the totals under a lock at the end.
double own_buffers(const std::vector<std::uint32_t>& pixels, std::size_t n,
                   std::vector<std::uint64_t>& totals) {
    return seconds_of([&] {
        std::atomic_flag lock = ATOMIC_FLAG_INIT;
        auto worker = [&] {
            std::vector<std::uint32_t> counts(n, 0u);
            for (int pass = 0; pass < kPasses; ++pass)
                for (std::uint32_t p : pixels)
                    ++counts[p];
            while (lock.test_and_set(std::memory_order_acquire)) {
            }
            for (std::size_t i = 0; i < n; ++i)
                totals[i] += counts[i];
            lock.clear(std::memory_order_release);
        };
        std::thread other(worker);
        worker();
        other.join();
    });
}

// One buffer both threads increment atomically, copied into the totals.
double shared_buffer(const std::vector<std::uint32_t>& pixels, std::size_t n,
                     std::vector<std::uint64_t>& totals) {
    return seconds_of([&] {
        std::vector<std::uint32_t> counts(n, 0u);
        auto worker = [&] {
            for (int pass = 0; pass < kPasses; ++pass)
                for (std::uint32_t p : pixels)
                    std::atomic_ref<std::uint32_t>(counts[p]).fetch_add(1,
                                                                        std::memory_order_relaxed);
        };
        std::thread other(worker);
        worker();
        other.join();
        for (std::size_t i = 0; i < n; ++i)
            totals[i] += counts[i];
    });
}

} // namespace

int main() {
    for (const int res : {600, 4000}) {
        const std::size_t n = static_cast<std::size_t>(res) * res;
        const std::vector<std::uint32_t> pixels = dejong_pixels(res);
        std::vector<std::uint64_t> a(n, 0), b(n, 0);
        const double own = own_buffers(pixels, n, a), shared = shared_buffer(pixels, n, b);
        const double hits = 2.0 * kPasses * static_cast<double>(kStream);
        std::printf("%d x %d, 2 threads, %.2e hits: own counts + merge %.3f s (%.0f M/s), shared "
                    "atomic %.3f s (%.0f M/s); %s; totals %s\n",
                    res, res, hits, own, hits / own / 1e6, shared, hits / shared / 1e6,
                    own <= shared ? "own counts faster" : "shared atomic faster",
                    a == b ? "equal" : "DIFFER");
    }
    return 0;
}
