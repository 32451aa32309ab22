// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/filter_passes.h"

#include "color/bands.h"

#include "core/numeric.h"
#include "core/palette.h"
#include "core/state.h"

#include <algorithm>
#include <array>
#include <new>

namespace morv {

namespace {

// Pixels are worked on in blocks of this many, each in a few simple loops
// (slots, table look-ups, the merge into the canvas) that the compiler turns
// into vector code; a fixed length lets it do so at -O2.
constexpr std::size_t kBlock = 256;

// Table values besides pixels, which are opaque (kOpaque bits all set).
constexpr std::uint32_t kKeep = 0; // no index: the pixel keeps its colour
constexpr std::uint32_t kAsk = 1;  // ask index_of for this very value
constexpr std::uint32_t kOpaque = 0xFF000000u;

// Counts up to one per this many pixels of the image get a table slot: filling
// it costs a small part of the pass even where index_of is slow (a logarithm),
// and counts above it are rare (the bright core of an image). The slots stay
// below 2^24, where floats hold every whole number.
constexpr std::size_t kTablePixelsPerEntry = 16;
constexpr std::uint32_t kMaxEntries = 1u << 22;

using Block = std::array<std::uint32_t, kBlock>;

// The passes ask for the memory this many pixels ahead: the processor's own
// prefetching falls behind loops this short, and the passes wait on memory.
constexpr std::size_t kPrefetch = 2 * kBlock;

// Prefetches the block kPrefetch pixels after `first` of the n-pixel run at
// `base` (or the run's last block). Inlined by force: GCC finds a function of
// prefetches alone free of effects and drops its calls.
template <class T>
[[gnu::always_inline]] inline void prefetch_ahead(const T* base, std::size_t first, std::size_t n) {
    if (n < kBlock) return;
    const T* p = base + std::min(first + kPrefetch, n - kBlock);
    for (std::size_t i = 0; i < kBlock; i += 64 / sizeof(T))
        __builtin_prefetch(p + i);
}

// What a count paints: a table of index_of's pixels for the whole counts up
// to a bound, and index_of itself for every other value.
class Painter {
  public:
    Painter(const State& s, const std::function<int(float)>& index_of) : index_of_(index_of) {
        for (unsigned c = 0; c < 256; ++c)
            palette_px_[c] = Surface::to_pixel(palette_color(s.palette, c));
        palette_px_[0] = kKeep;
        const std::size_t pixels = s.hitcount.size();
        const std::size_t entries =
            std::min<std::size_t>(std::min<std::size_t>(std::max(s.hitmax, 255u), kMaxEntries),
                                  std::max<std::size_t>(pixels / kTablePixelsPerEntry, 255));
        try {
            table_.resize(entries + 2);
        } catch (const std::bad_alloc&) {
            table_.resize(256 + 2); // slower, same pixels
        }
        last_ = static_cast<std::uint32_t>(table_.size() - 1);
        for (std::uint32_t k = 0; k < last_; ++k)
            table_[k] = pixel_of(static_cast<float>(k));
        table_[last_] = kAsk;
    }

    // Paints out[0..kBlock) from the counts h[0..kBlock).
    void paint(const float* h, std::uint32_t* out) const {
        Block slot, px;
        // Whole blocks of pixels not hit are common: outside the attractor.
        if (slots_of(h, slot) == 0 && table_[0] == kKeep) return;
        if (lookup_merge(slot.data(), table_.data(), px.data(), out) == 0) return;
        // Values without a slot: their pixels were left as they were.
        for (std::size_t i = 0; i < kBlock; ++i)
            if (px[i] == kAsk)
                if (const std::uint32_t p = pixel_of(h[i]); p != kKeep) out[i] = p;
    }

  private:
    // A count's slot is the count itself when it is a whole number below the
    // last slot; every other value (fractions, negatives, NaN, large counts)
    // goes to the last slot, which holds kAsk. Returns all slots or-ed.
    std::uint32_t slots_of(const float* h, Block& slot) const {
        const auto last = static_cast<float>(last_);
        std::uint32_t any = 0;
        for (std::size_t i = 0; i < kBlock; ++i) {
            const float v = h[i];
            float c = v > 0.0f ? v : 0.0f;
            c = c < last ? c : last;
            // c is a count of the table or the last slot: it converts as trunc32
            // would, and a plain conversion keeps the loop vectorizable.
            const auto k = static_cast<std::int32_t>(c);
            slot[i] = static_cast<float>(k) == v ? static_cast<std::uint32_t>(k) : last_;
            any |= slot[i];
        }
        return any;
    }

    // The table's pixel for each slot into px, and into out where it is one;
    // non-zero when some slot holds kAsk. Restricted pointers let the
    // compiler vectorize all but the table reads.
    static std::uint32_t lookup_merge(const std::uint32_t* __restrict slot,
                                      const std::uint32_t* __restrict table,
                                      std::uint32_t* __restrict px, std::uint32_t* __restrict out) {
        std::uint32_t ask = 0;
        for (std::size_t i = 0; i < kBlock; ++i) {
            const std::uint32_t p = table[slot[i]];
            px[i] = p;
            ask |= static_cast<std::uint32_t>(p == kAsk);
            out[i] = (p & kOpaque) != 0 ? p : out[i];
        }
        return ask;
    }

    std::uint32_t pixel_of(float h) const {
        const int c = index_of_(h);
        return c > 0 ? palette_px_[c > 255 ? 255 : c] : kKeep;
    }

    const std::function<int(float)>& index_of_;
    std::array<std::uint32_t, 256> palette_px_{};
    std::vector<std::uint32_t> table_; // slot -> pixel or kKeep; the last slot kAsk
    std::uint32_t last_ = 0;
};

// Paints the n pixels out[0..n) from the counts h[0..n); the last, short
// block goes through copies padded with zeros.
void paint_run(const Painter& painter, const float* h, std::uint32_t* out, std::size_t n) {
    std::size_t first = 0;
    for (; first + kBlock <= n; first += kBlock) {
        prefetch_ahead(h, first, n);
        prefetch_ahead(out, first, n);
        painter.paint(h + first, out + first);
    }
    if (first == n) return;
    std::array<float, kBlock> counts{};
    Block pixels{};
    std::copy(h + first, h + n, counts.begin());
    std::copy(out + first, out + n, pixels.begin());
    painter.paint(counts.data(), pixels.data());
    std::copy(pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(n - first), out + first);
}

} // namespace

namespace {

// The window shows the same pixels where it shows the image: each of its rows
// is painted like the canvas's, into `row` (as wide as the shown part), whose
// changes then go through the window's own pixel setter (which records what
// changed).
void paint_window(State& s, const Painter& painter, std::vector<std::uint32_t>& row, int rows) {
    const std::size_t n = static_cast<std::size_t>(s.res);
    for (int y = 0; y < rows && !row.empty(); ++y) {
        std::fill(row.begin(), row.end(), kKeep);
        paint_run(painter, s.hitcount.data() + static_cast<std::size_t>(y) * n, row.data(),
                  row.size());
        for (std::size_t x = 0; x < row.size(); ++x)
            if (row[x] != kKeep)
                s.window.set_pixel(static_cast<int>(x), y, Surface::to_colorref(row[x]));
    }
}

} // namespace

void paint_by_index(State& s, const std::function<int(float)>& index_of, unsigned threads) {
    const std::size_t n = static_cast<std::size_t>(s.res);
    if (s.canvas.width() != s.res || s.canvas.height() != s.res || s.hitcount.size() != n * n)
        return; // never: both are made with res
    const Painter painter(s, index_of);
    const int wx = std::min(s.res, s.ClientRes.right), wy = std::min(s.res, s.ClientRes.bottom);
    std::vector<std::uint32_t> row(wx > 0 ? static_cast<std::size_t>(wx) : 0);
    // With threads to spare the window is painted beside the canvas: the two
    // share nothing but the counts and the painter, which only read.
    std::thread window;
    if (threads > 1 && !row.empty())
        window = start_thread([&] { paint_window(s, painter, row, wy); });
    if (!window.joinable()) paint_window(s, painter, row, wy);
    // The canvas and the counts are both res x res, row after row: one run,
    // in bands that share the painter and write pixels of their own.
    const float* h = s.hitcount.data();
    std::uint32_t* canvas = s.canvas.data();
    for_bands(n * n, threads, kBlock, [&](unsigned, std::size_t first, std::size_t count) {
        paint_run(painter, h + first, canvas + first, count);
    });
    if (window.joinable()) window.join();
}

std::uint32_t count_of(float h) {
    const std::int32_t k = trunc32(h);
    return k > 0 ? static_cast<std::uint32_t>(k) : 0u;
}

namespace {

// count_of for a block, in a form the compiler vectorizes.
struct BlockCounts {
    std::uint32_t bits = 0; // all counts or-ed: at least the largest, below twice it
    std::uint32_t hits = 0; // counts not 0
};
BlockCounts counts_of(const float* h, Block& k) {
    BlockCounts b;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const float v = h[i];
        float c = v > 0.0f ? v : 0.0f;
        // trunc32 gives no count at 2^31 and above; below, a plain conversion
        // is the same and keeps the loop vectorizable.
        c = c < 2147483648.0f ? c : 0.0f;
        k[i] = static_cast<std::uint32_t>(static_cast<std::int32_t>(c));
        b.bits |= k[i];
        b.hits += static_cast<std::uint32_t>(k[i] != 0);
    }
    return b;
}

// Adds a block's counts to the histogram. Where pixels not hit are many they
// are counted apart: runs of them would make every increment wait for the
// one before.
void add_counts(const Block& k, std::size_t m, std::uint32_t hits, unsigned* histogram) {
    if (hits >= kBlock / 2 && m == kBlock) {
        for (std::size_t i = 0; i < kBlock; ++i)
            ++histogram[k[i]];
        return;
    }
    histogram[0] += static_cast<unsigned>(m - hits);
    Block hit;
    std::size_t n = 0;
    for (std::size_t i = 0; i < m && hits != 0; ++i) {
        hit[n] = k[i];
        n += k[i] != 0 ? 1 : 0;
    }
    for (std::size_t i = 0; i < n; ++i)
        ++histogram[hit[i]];
}

bool grow(std::vector<unsigned>& v, std::size_t entries) {
    try {
        v.resize(entries, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// The band tables of count_histogram hold together up to one entry per this
// many pixels (as they start).
constexpr std::size_t kTablesPerImage = 4;

// The histogram of the n counts at h, as count_histogram makes it, starting
// with `guess` entries.
bool histogram_run(const float* h, std::size_t n, std::size_t guess, std::size_t max_entries,
                   std::vector<unsigned>& histogram) {
    if (!grow(histogram, guess <= max_entries ? guess : 1)) return false;
    Block k;
    std::array<float, kBlock> pad{};
    for (std::size_t first = 0; first < n; first += kBlock) {
        const std::size_t m = std::min(kBlock, n - first);
        if (m < kBlock) std::copy(h + first, h + n, pad.begin());
        prefetch_ahead(h, first, n);
        const BlockCounts b = counts_of(m < kBlock ? pad.data() : h + first, k);
        if (b.bits >= histogram.size()) {
            const std::size_t need = std::size_t{*std::max_element(k.begin(), k.end())} + 1;
            if (need > max_entries ||
                !grow(histogram, std::min(std::max(need, 2 * histogram.size()), max_entries)))
                return false;
        }
        add_counts(k, m, b.hits, histogram.data());
    }
    return true;
}

} // namespace

bool count_histogram(const State& s, std::size_t max_entries, std::vector<unsigned>& histogram,
                     std::uint32_t& kmax, unsigned threads) {
    const std::size_t guess =
        std::min<std::size_t>(std::size_t{s.hitmax} + 1, s.hitcount.size() + 1);
    const float* h = s.hitcount.data();
    // Each band counts into a table of its own; whole counts add up exactly,
    // so the sum is the histogram one pass would make. The bands' tables
    // together stay below a quarter of the image's pixels: tables as large as
    // the bands would cost more to clear and add up than the threads save.
    const std::size_t per_table = s.hitcount.size() / (kTablesPerImage * guess);
    threads = static_cast<unsigned>(std::clamp<std::size_t>(per_table, 1, std::max(1u, threads)));
    std::vector<std::vector<unsigned>> parts(threads - 1);
    std::vector<char> ok(parts.size() + 1, 0);
    for_bands(s.hitcount.size(), threads, kBlock,
              [&](unsigned band, std::size_t first, std::size_t n) {
                  std::vector<unsigned>& into = band == 0 ? histogram : parts[band - 1];
                  ok[band] = histogram_run(h + first, n, guess, max_entries, into) ? 1 : 0;
              });
    if (std::find(ok.begin(), ok.end(), 0) != ok.end()) return false;
    for (const std::vector<unsigned>& part : parts) {
        if (part.size() > histogram.size() && !grow(histogram, part.size())) return false;
        for (std::size_t i = 0; i < part.size(); ++i)
            histogram[i] += part[i];
    }
    kmax = 0;
    for (std::size_t i = histogram.size(); i-- > 1 && kmax == 0;)
        if (histogram[i] != 0) kmax = static_cast<std::uint32_t>(i);
    return true;
}

} // namespace morv
