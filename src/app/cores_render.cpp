// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cores_render.h"

#include "app/tone_commands.h"
#include "color/resample.h"
#include "core/density_sums.h"
#include "core/memory_budget.h"
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
// What the toning on view holds per pixel besides its filtered density: the
// cache's key and lit colours, and the picture's word.
constexpr unsigned long long kToningBytesPerPixel = 2 + 6 * sizeof(double) + 4;

int oversample_of(const State& s) {
    return s.picture.tone != 0 ? std::clamp(s.picture.oversample, 1, 4) : 1;
}

std::string mib(unsigned long long bytes) {
    return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB";
}

// The counts of the finer grid gathered onto the image's pixels: the hits
// summed, or the highest index kept.
void fold_counts(const std::vector<std::uint64_t>& fine, int res, int oversample, int method,
                 std::vector<std::uint64_t>& out) {
    out.assign(static_cast<std::size_t>(res) * static_cast<std::size_t>(res), 0);
    const auto side = static_cast<std::size_t>(res) * static_cast<std::size_t>(oversample);
    const auto s = static_cast<std::size_t>(oversample), r = static_cast<std::size_t>(res);
    for (std::size_t y = 0; y < side; ++y)
        for (std::size_t x = 0; x < side; ++x) {
            const std::uint64_t c = fine[y * side + x];
            std::uint64_t& o = out[(y / s) * r + x / s];
            o = method == kMethodHitCount ? o + c : std::max(o, c);
        }
}

} // namespace

// What the window's thread and the render's threads share.
struct CoresRender::Run {
    State base;
    OrbitJob job;
    OrbitTotals totals;
    int method = kMethodHitCount;
    bool fast = false;
    int width = 1;

    bool toned = false;
    int oversample = 1; // the orbits draw on a grid this many times finer

    std::mutex lock; // guards the fields below
    std::condition_variable wake;
    bool paused = false, cancelled = false;
    // The totals as last added to, not shown yet: written by a worker while
    // `fresh` is false, taken by the window's thread while it is true.
    std::vector<std::uint64_t> drawn;
    std::vector<DensityCell> drawn_density; // toned only
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
    bool stopped() {
        const std::lock_guard<std::mutex> l(lock);
        return cancelled;
    }
    void set_fresh(bool on) {
        const std::lock_guard<std::mutex> l(lock);
        fresh = on;
    }
    bool copy_wanted() {
        const std::lock_guard<std::mutex> l(lock);
        return !fresh;
    }
    void copy_totals() {
        drawn.assign(totals.counts.begin(), totals.counts.end());
        if (toned)
            density_cells_into(totals.density.cells, totals.density.frac_bits, drawn_density);
    }
    // Under the lock that guards the totals (one worker at a time): a copy
    // for the window, unless the last one is still waiting to be shown. The
    // copy is made outside `lock`, so that the window's thread never waits
    // for it: while `fresh` is false it does not touch the copy.
    void added() {
        if (!copy_wanted()) return;
        copy_totals();
        set_fresh(true);
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
            // No worker is left: the last copy replaces any the window has
            // not taken yet (a cancelled render's is never looked at).
            if (!stopped()) {
                set_fresh(false);
                copy_totals();
                set_fresh(true);
            }
        } catch (const std::bad_alloc&) {
            const std::lock_guard<std::mutex> l(lock);
            no_memory = true;
        }
        finished = true;
    }
};

unsigned long long cores_bytes(const State& s, const CoresSettings& o) {
    const auto oversample = static_cast<unsigned long long>(oversample_of(s));
    const unsigned long long px = static_cast<unsigned long long>(s.res) * s.res;
    const unsigned long long fine = px * oversample * oversample;
    const auto threads = static_cast<unsigned long long>(
        std::max(1LL, std::min<long long>(cores_threads(o), o.orbits)));
    // The totals, the copy handed to the window and the one it shows, the
    // counts gathered onto the image's pixels, and each worker's orbit's own
    // (or lanes') counts.
    unsigned long long bytes = fine * 8 * (3 + threads) + (oversample > 1 ? px * 8 : 0);
    if (s.picture.tone == 0) return bytes;
    // The summed density, each worker's orbit's own, the copy handed to the
    // window and the one on view; then the toning of it.
    bytes += fine * sizeof(SumCell) + (threads + 2) * fine * sizeof(DensityCell);
    return bytes + px * (sizeof(ToneCell) + kToningBytesPerPixel);
}

std::optional<std::string> cores_refusal(const State& s, const CoresSettings& o) {
    if (o.orbits > 1)
        if (auto e = orbits_refusal(s)) return e;
    if (o.fast)
        if (auto e = fast_refusal(s)) return e;
    // A toned picture's orbits draw on the oversampled grid.
    const int side = s.res * oversample_of(s);
    if (auto e = orbit_count_refusal(o.orbits, o.points, side)) return e;
    const unsigned long long need = cores_bytes(s, o), budget = memory_budget();
    if (need <= budget) return std::nullopt;
    const std::string size = std::to_string(s.res) + " x " + std::to_string(s.res);
    return std::string(s.picture.tone != 0 ? "a toned " : "a ") + size + " picture" +
           (side != s.res ? " oversampled " + std::to_string(side / s.res) + " times" : "") +
           " on " + std::to_string(std::min<long long>(cores_threads(o), o.orbits)) +
           " threads needs " + mib(need) + " of memory but only " + mib(budget) + " can be had";
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
    if (run->fast) choose_lane_width(nullptr, run->width);
    run->toned = s.picture.tone != 0;
    run->oversample = oversample_of(s);
    const int side = s.res * run->oversample;
    run->base.res = run->base.dres = side;
    const std::size_t cells = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    if (run->toned) {
        DensitySettings d = density_settings_of(s.picture);
        d.index_span = static_cast<std::uint64_t>(std::max(1LL, o.points));
        run->base.density.want(true, d);
        run->totals.density.frac_bits = color_fraction_bits(static_cast<std::uint64_t>(o.points));
        run->totals.density.cells.assign(cells, SumCell{});
        run->drawn_density.assign(cells, DensityCell{}); // the empty picture first
    }
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
    run->totals.counts.assign(cells, 0);
    run->drawn = run->totals.counts;
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

bool CoresRender::show(State& s, Density* toned) {
    if (!run_) return false;
    const int side = s.res * run_->oversample;
    const bool take_density = toned != nullptr && run_->toned;
    {
        const std::lock_guard<std::mutex> l(run_->lock);
        if (!run_->fresh) return false;
        shown_counts_.swap(run_->drawn);
        if (take_density) {
            // The density on view goes back to the workers, to be overwritten.
            std::vector<DensityCell> cells = std::move(toned->cells());
            cells.swap(run_->drawn_density);
            toned->adopt(side, std::move(cells));
        }
        run_->fresh = false;
    }
    if (shown_counts_.size() != static_cast<std::size_t>(side) * static_cast<std::size_t>(side))
        return false;
    OrbitTotals shown;
    shown.method = run_->method;
    if (run_->oversample > 1)
        fold_counts(shown_counts_, s.res, run_->oversample, run_->method, shown.counts);
    else
        shown.counts.swap(shown_counts_);
    paint_totals(s, shown, run_->calls.load());
    if (run_->oversample == 1) shown_counts_.swap(shown.counts);
    if (take_density) return true; // the window shows the toning of the density
    // Beyond the canvas the window is black.
    s.window.fill_rect(Rect{0, 0, s.window.width(), s.window.height()}, 0);
    const int w = std::min(s.canvas.width(), s.window.width());
    const int h = std::min(s.canvas.height(), s.window.height());
    s.window.copy_from(s.canvas, Rect{0, 0, w, h}, Point{0, 0});
    return true;
}

} // namespace morv::app
