// SPDX-License-Identifier: GPL-3.0-or-later
#include "formulas/fast_orbits.h"

#include "core/workers.h"
#include "formulas/lanes.h"

#include <algorithm>
#include <limits>
#include <mutex>
#include <vector>

namespace morv {

std::optional<std::string> choose_lane_width(const char* asked, int& width) {
    const std::vector<int> widths = lane_widths();
    width = widths.front();
    if (asked == nullptr || *asked == '\0') return std::nullopt;
    const std::string text(asked);
    for (int w : {1, 4, 8})
        if (text == std::to_string(w)) {
            if (std::find(widths.begin(), widths.end(), w) == widths.end())
                return "MORVANE_LANES=" + text + ": this processor runs lanes of " +
                       std::to_string(widths.front()) + " at most";
            width = w;
            return std::nullopt;
        }
    return "MORVANE_LANES: expected 1, 4 or 8, got '" + text + "'";
}

std::optional<std::string> fast_refusal(const State& s) {
    if (auto e = lane_refusal(s)) return "--fast: " + *e;
    return std::nullopt;
}

namespace {

// The lanes' work: blocks of orbits under way (a resumed render's, by the
// calls they made, which all lanes of a block share), then blocks of the
// orbits not drawn yet, `width` at a time. Which lane or block an orbit runs
// in does not change its points.
class BlockPlan {
  public:
    BlockPlan(const OrbitJob& job, const std::vector<OrbitUnderWay>& under_way, int width,
              const Point3& start, bool seeds_from_clock)
        : job_(job), width_(width), start_(start), seeds_from_clock_(seeds_from_clock) {
        std::vector<OrbitUnderWay> rest = under_way;
        std::sort(rest.begin(), rest.end(), [](const OrbitUnderWay& a, const OrbitUnderWay& b) {
            return a.made != b.made ? a.made < b.made : a.k < b.k;
        });
        for (std::size_t i = 0; i < rest.size();) {
            std::vector<OrbitUnderWay> group;
            while (i < rest.size() && static_cast<int>(group.size()) < width &&
                   (group.empty() || rest[i].made == group.front().made))
                group.push_back(rest[i++]);
            resumed_.push_back(std::move(group));
        }
        auto busy = [&](long long k) {
            const auto d = static_cast<std::size_t>(k - job.first);
            if (d < job.drawn.size() && job.drawn[d]) return true;
            return std::any_of(rest.begin(), rest.end(),
                               [k](const OrbitUnderWay& u) { return u.k == k; });
        };
        for (long long k = job.first; k < job.end; ++k)
            if (!busy(k)) fresh_.push_back(k);
    }

    long long blocks() const {
        return static_cast<long long>(resumed_.size()) +
               (static_cast<long long>(fresh_.size()) + width_ - 1) / width_;
    }

    // Block i, and the orbit of each of its lanes (-1: idle, starting at the
    // shared start and plotting nothing).
    LaneBlock block(long long i, long long (&orbit)[kMaxLanes]) const {
        LaneBlock b;
        std::fill(std::begin(orbit), std::end(orbit), -1LL);
        const auto r = static_cast<std::size_t>(i);
        if (r < resumed_.size()) {
            const std::vector<OrbitUnderWay>& group = resumed_[r];
            b.made = group.front().made;
            for (int l = 0; l < width_; ++l) {
                if (l < static_cast<int>(group.size())) {
                    const OrbitUnderWay& u = group[static_cast<std::size_t>(l)];
                    orbit[l] = u.k;
                    b.x[l] = u.x, b.y[l] = u.y, b.z[l] = u.z, b.seed[l] = u.seed;
                    b.carry[l] = u.carry;
                    b.calls[l] = orbit_calls(job_.iterations, job_.orbits, u.k);
                } else {
                    b.x[l] = start_.x, b.y[l] = start_.y, b.z[l] = start_.z;
                }
            }
            return b;
        }
        const std::size_t first = (r - resumed_.size()) * static_cast<std::size_t>(width_);
        for (int l = 0; l < width_; ++l) {
            const std::size_t f = first + static_cast<std::size_t>(l);
            const long long k = f < fresh_.size() ? fresh_[f] : -1;
            const Point3 at = k >= 0 ? orbit_start(start_, k, job_.clock) : start_;
            orbit[l] = k;
            b.x[l] = at.x, b.y[l] = at.y, b.z[l] = at.z;
            b.calls[l] = k >= 0 ? orbit_calls(job_.iterations, job_.orbits, k) : 0;
            // Orbit 0 too draws from a stream of its own here, unless the
            // type seeds every orbit's stream from its clock.
            const long long own = k >= 0 ? k : job_.end;
            b.seed[l] = seeds_from_clock_ ? static_cast<std::uint32_t>(orbit_clock(own, job_.clock))
                                          : orbit_seed(own, job_.clock);
        }
        return b;
    }

  private:
    const OrbitJob& job_;
    int width_;
    Point3 start_;
    bool seeds_from_clock_;
    std::vector<std::vector<OrbitUnderWay>> resumed_;
    std::vector<long long> fresh_;
};

// The calls the block's lanes make in its steps from..to-1.
long long calls_between(const LaneBlock& b, long long from, long long to) {
    long long n = 0;
    for (long long c : b.calls)
        n += std::max(0LL, std::min(c, to) - std::min(c, from));
    return n;
}

// A thread's counts added to the totals: summed hits, or the highest index.
void add_counts(const std::vector<std::uint32_t>& counts, OrbitTotals& totals) {
    const std::size_t n = std::min(counts.size(), totals.counts.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (totals.method == kMethodHitCount)
            totals.counts[i] += counts[i];
        else
            totals.counts[i] = std::max<std::uint64_t>(totals.counts[i], counts[i]);
    }
}

// A thread's share of a toned render's density: the sums of the points it
// drew, added to the totals with its counts. Off when the totals hold no
// density.
class ThreadDensity {
  public:
    ThreadDensity(const Params& params, const DensitySettings& settings, const DensitySums& totals)
        : size_(totals.cells.size()) {
        colors_.want(true, settings);
        colors_.take_palette(params);
        feed_.params = &params;
        feed_.colors = &colors_;
        feed_.frac_bits = totals.frac_bits;
        feed_.sine_z = lanes_leave_out_z(params.type);
    }
    ThreadDensity(const ThreadDensity&) = delete;
    ThreadDensity& operator=(const ThreadDensity&) = delete;

    // What the lanes feed; null when off. Its sums are had at the first call.
    const LaneDensity* feed() {
        if (size_ == 0) return nullptr;
        if (sums_.empty()) {
            sums_.assign(size_, SumCell{});
            feed_.cells = sums_.data();
        }
        return &feed_;
    }

    void add_to(DensitySums& totals) {
        const std::size_t n = std::min(sums_.size(), totals.cells.size());
        for (std::size_t i = 0; i < n; ++i) {
            SumCell& t = totals.cells[i];
            const SumCell& c = sums_[i];
            t.n += c.n, t.r += c.r, t.g += c.g, t.b += c.b;
        }
        std::fill(sums_.begin(), sums_.end(), SumCell{});
    }

  private:
    std::size_t size_;
    Density colors_;
    std::vector<SumCell> sums_;
    LaneDensity feed_;
};

// Under the totals' lock, once the block's points are in them: its lanes'
// orbits are drawn whole (told to job.added, together) or, stopped, under
// way from where the block is.
void settle_block(const OrbitJob& job, const LaneBlock& b, const long long (&orbit)[kMaxLanes],
                  int width, OrbitTotals& totals) {
    std::vector<long long> whole;
    for (int l = 0; l < width; ++l) {
        const long long k = orbit[l];
        if (k < 0) continue;
        std::erase_if(totals.under_way, [k](const OrbitUnderWay& u) { return u.k == k; });
        if (b.made >= b.calls[l])
            whole.push_back(k);
        else if (b.made > 0) // else it starts afresh, where it would go on from
            totals.under_way.push_back(
                OrbitUnderWay{k, b.made, b.x[l], b.y[l], b.z[l], b.seed[l], b.carry[l]});
    }
    if (job.added && !whole.empty()) job.added(whole);
}

// One thread's share: blocks taken in turn, drawn into counts of its own
// that are added to the totals at the end (of each block when the orbits are
// told to job.added, and of the block under way when the render stops), and
// before a slice after which a pixel could pass 2^32 - 1.
void draw_blocks(const Params& params, const DensitySettings& colors, const OrbitJob& job,
                 const BlockPlan& plan, int width, SharedWork& work, OrbitTotals& totals,
                 const std::function<void(long long)>* progress) {
    constexpr long long kSlice = 1 << 16; // steps between looks at job.stop
    const LaneKernel kernel = lane_kernel(params.type, totals.method, width);
    const LaneMap map = lane_map_of(params);
    std::vector<std::uint32_t> counts;
    ThreadDensity density(params, colors, totals.density);
    long long held = 0; // calls in counts since they were last added
    auto add_held = [&] {
        add_counts(counts, totals);
        std::fill(counts.begin(), counts.end(), 0u);
        density.add_to(totals.density);
        held = 0;
    };
    const long long blocks = plan.blocks();
    for (long long i; !work.stopping() && (i = work.next.fetch_add(1)) < blocks;) {
        long long orbit[kMaxLanes];
        LaneBlock b = plan.block(i, orbit);
        if (counts.empty()) counts.assign(totals.counts.size() + 1, 0u); // and the sink
        const long long longest = *std::max_element(b.calls, b.calls + width);
        bool stopped = false;
        while (b.made < longest) {
            if (work.stopping()) {
                stopped = true;
                break;
            }
            const long long from = b.made, step = std::min(kSlice, longest - from);
            const long long calls = calls_between(b, from, from + step);
            if (held + calls > std::numeric_limits<std::uint32_t>::max()) {
                const std::lock_guard<std::mutex> lock(work.merge);
                add_held();
            }
            kernel(map, b, step, counts.data(), density.feed());
            held += calls;
            work.done += calls;
            if (progress != nullptr && *progress) (*progress)(work.done.load());
        }
        if (stopped || job.added) {
            const std::lock_guard<std::mutex> lock(work.merge);
            add_held();
            settle_block(job, b, orbit, width, totals);
        }
        if (stopped) return;
    }
    if (held > 0) {
        const std::lock_guard<std::mutex> lock(work.merge);
        add_held();
    }
}

} // namespace

long long render_fast_orbits(State& base, const OrbitJob& job, int width, OrbitTotals& totals,
                             const std::function<void(long long)>& progress) {
    totals.method = base.method[base.type];
    const Point3 start = orbits_start(base, job.iterations);
    if (job.ready && !job.ready()) return 0;
    const Params& params = base;
    const BlockPlan plan(job, totals.under_way, width, start, lanes_seed_from_clock(base.type));
    SharedWork work;
    work.stop = job.stop;
    // What a resumed render had drawn already.
    for (long long k = job.first; k < job.end; ++k) {
        const auto d = static_cast<std::size_t>(k - job.first);
        if (d < job.drawn.size() && job.drawn[d])
            work.done += orbit_calls(job.iterations, job.orbits, k);
    }
    for (const OrbitUnderWay& u : totals.under_way)
        work.done += u.made;
    const auto threads = static_cast<int>(std::min<long long>(job.threads, plan.blocks()));
    return run_workers(work, std::max(threads, 1), [&](bool reporter) {
        draw_blocks(params, base.density.settings(), job, plan, width, work, totals,
                    reporter ? &progress : nullptr);
    });
}

} // namespace morv
