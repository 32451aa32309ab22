// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cores_render.h"

#include "formulas/fast_orbits.h"
#include "formulas/orbits.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace morv::app {

namespace {
constexpr int kWorkerNice = 5;
} // namespace

// What the window's thread and the render's threads share.
struct CoresRender::Run {
    State base;
    OrbitJob job;
    OrbitTotals totals;
    int method = kMethodHitCount;
    bool fast = false;
    int width = 1;

    std::mutex lock; // guards the fields below
    std::condition_variable wake;
    bool paused = false, cancelled = false;
    std::vector<std::uint64_t> drawn; // the totals as last added to, not shown yet
    bool fresh = false;
    bool no_memory = false;

    std::atomic<long long> calls{0};
    std::atomic<bool> finished{false};

    // Asked by every worker between slices: waits while paused.
    bool stop() {
        std::unique_lock<std::mutex> l(lock);
        wake.wait(l, [this] { return !paused || cancelled; });
        return cancelled;
    }
    // Under the lock that guards the totals: a copy for the window, unless
    // the last one is still waiting to be shown.
    void added() {
        const std::lock_guard<std::mutex> l(lock);
        if (fresh) return;
        drawn = totals.counts;
        fresh = true;
    }
    void draw() {
        // The workers yield to the window's thread when the cores are all
        // busy, so that keys and frames are answered as quickly as when one
        // orbit draws; the threads they start inherit this.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kWorkerNice);
        try {
            const auto progress = [this](long long n) { calls = n; };
            const long long made = fast ? render_fast_orbits(base, job, width, totals, progress)
                                        : render_orbits(base, job, totals, progress);
            calls = made;
            const std::lock_guard<std::mutex> l(lock);
            drawn = std::move(totals.counts);
            fresh = true;
        } catch (const std::bad_alloc&) {
            const std::lock_guard<std::mutex> l(lock);
            no_memory = true;
        }
        finished = true;
    }
};

std::optional<std::string> cores_refusal(const State& s, const CoresSettings& o) {
    // The workers count hits only; the Tone window's picture is a density.
    if (s.density.wanted()) return std::string("a toned picture is drawn from one orbit's density");
    if (o.orbits > 1)
        if (auto e = orbits_refusal(s)) return e;
    if (o.fast)
        if (auto e = fast_refusal(s)) return e;
    return orbit_count_refusal(o.orbits, o.points, s.res);
}

int cores_threads(const CoresSettings& o) {
    if (o.threads > 0) return o.threads;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void CoresRender::start(const State& s, const CoresSettings& o, std::int64_t clock) {
    cancel();
    auto run = std::make_shared<Run>();
    // The parameters and the engine's services only: not the window's canvas,
    // hit counts or density.
    static_cast<Params&>(run->base) = s;
    run->base.steps = s.steps;
    run->base.platform = s.platform;
    // Every clock value of the render is `clock`, as --seed makes it; the
    // window's clock, which notes what it gives, is not read from the workers.
    run->base.platform.now_seconds = [clock] { return clock; };
    run->base.platform.sleep_ms = [](int) {}; // the point maps never wait
    run->base.intro = 0;                      // nor pause at the start-up image's count
    // The random stream is left as a fresh renderer's starts (the window's own
    // may have drawn random parameter sets since).
    run->fast = o.fast;
    if (o.fast) choose_lane_width(nullptr, run->width);
    OrbitJob& job = run->job;
    job.orbits = o.orbits;
    job.first = 0;
    job.end = o.orbits;
    job.threads = cores_threads(o);
    job.iterations = o.points;
    job.clock = clock;
    Run* r = run.get(); // the run outlives its workers: cancel() joins them first
    job.stop = [r] { return r->stop(); };
    job.added = [r](const std::vector<long long>&) { r->added(); };
    run->method = run->totals.method = s.method[s.type];
    run->totals.counts.assign(static_cast<std::size_t>(s.res) * static_cast<std::size_t>(s.res), 0);
    run->drawn = run->totals.counts; // the empty picture first
    run->fresh = true;
    run_ = std::move(run);
    thread_ = std::thread([r] { r->draw(); });
}

void CoresRender::pause(bool paused) {
    if (!run_) return;
    {
        const std::lock_guard<std::mutex> l(run_->lock);
        run_->paused = paused;
    }
    run_->wake.notify_all();
}

void CoresRender::cancel() {
    if (!run_) return;
    {
        const std::lock_guard<std::mutex> l(run_->lock);
        run_->cancelled = true;
    }
    run_->wake.notify_all();
    if (thread_.joinable()) thread_.join();
    run_.reset();
}

bool CoresRender::finished() const {
    return run_ && run_->finished.load();
}

bool CoresRender::out_of_memory() const {
    if (!run_ || !run_->finished.load()) return false;
    const std::lock_guard<std::mutex> l(run_->lock);
    return run_->no_memory;
}

long long CoresRender::calls() const {
    return run_ ? run_->calls.load() : 0;
}

bool CoresRender::show(State& s) {
    if (!run_) return false;
    OrbitTotals shown;
    shown.method = run_->method;
    {
        const std::lock_guard<std::mutex> l(run_->lock);
        if (!run_->fresh) return false;
        shown.counts.swap(run_->drawn);
        run_->fresh = false;
    }
    if (shown.counts.size() != static_cast<std::size_t>(s.res) * static_cast<std::size_t>(s.res))
        return false;
    paint_totals(s, shown, run_->calls.load());
    // Beyond the canvas the window is black.
    s.window.fill_rect(Rect{0, 0, s.window.width(), s.window.height()}, 0);
    const int w = std::min(s.canvas.width(), s.window.width());
    const int h = std::min(s.canvas.height(), s.window.height());
    s.window.copy_from(s.canvas, Rect{0, 0, w, h}, Point{0, 0});
    return true;
}

} // namespace morv::app
