// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/hits_density.h"

#include "core/params.h"
#include "core/settings.h"
#include "files/byte_codec.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <new>
#include <zlib.h>

namespace morv {

namespace {

constexpr std::uint32_t kPayloadVersion = 1;
// The picture's settings a density carries, in this order, as doubles.
constexpr std::string_view kPictureSettings[] = {
    "tone",       "exposure",    "gamma",   "gammathreshold", "vibrancy", "contrast",
    "oversample", "filterwidth", "colorby", "depth",          "alpha"};
constexpr std::size_t kHeadBytes = 4 + 4 + 4 + 8 + 8 * std::size(kPictureSettings);
constexpr std::size_t kCellBytes = 32;
constexpr std::size_t kBlockCells = std::size_t{1} << 14;

const Setting& picture_row(std::string_view name) {
    int index = 0;
    return *find_setting(name, index); // every name above is a row
}

std::uint32_t crc(std::uint32_t running, std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint32_t>(crc32_z(running, bytes.data(), bytes.size()));
}

std::vector<std::uint8_t> encode_head(const PartDensity& d) {
    ByteSink w;
    w.u32(kPayloadVersion);
    w.u32(static_cast<std::uint32_t>(d.encoding));
    w.u32(static_cast<std::uint32_t>(d.frac_bits));
    w.u64(d.index_span);
    Params probe;
    probe.picture = d.picture;
    for (std::string_view name : kPictureSettings)
        w.f64(picture_row(name).field.read(probe, 0));
    return w.take();
}

// The picture's settings, each of its kind and within its limits.
std::optional<std::string> take_picture(ByteSource& r, PictureSettings& out) {
    Params probe;
    for (std::string_view name : kPictureSettings) {
        const Setting& row = picture_row(name);
        const double v = r.f64();
        const bool whole = row.kind != SettingKind::Real;
        if (!std::isfinite(v) || (whole && v != std::trunc(v)) || !row.limits.admits(v))
            return "its " + std::string(name) + " is out of range";
        if (row.rule != nullptr)
            if (const std::string why = row.rule(probe, v); !why.empty())
                return "its " + std::string(name) + ": " + why;
        row.field.write(probe, 0, v);
    }
    out = probe.picture;
    return std::nullopt;
}

std::optional<std::string> take_head(std::span<const std::uint8_t> bytes, const DensityFrame& frame,
                                     PartDensity& d) {
    ByteSource r(bytes);
    if (r.u32() != kPayloadVersion) return std::string("unsupported density version");
    const std::uint32_t encoding = r.u32();
    const std::uint32_t bits = r.u32();
    d.index_span = r.u64();
    if (encoding > static_cast<std::uint32_t>(SumEncoding::Exact))
        return std::string("unknown encoding of its colour sums");
    d.encoding = static_cast<SumEncoding>(encoding);
    const std::uint32_t expected =
        d.encoding == SumEncoding::Whole
            ? static_cast<std::uint32_t>(color_fraction_bits(frame.iterations))
            : 0;
    if (bits != expected) return std::string("its colour sums' scale does not match its calls");
    d.frac_bits = static_cast<int>(bits);
    if (d.index_span == 0) return std::string("its index span is 0");
    if (auto e = take_picture(r, d.picture)) return e;
    if (frame.res % static_cast<std::uint32_t>(d.picture.oversample) != 0)
        return std::string("its grid is not a whole number of oversampled pixels");
    return std::nullopt;
}

// Whether an exactly stored sum is one a sample of n hits can hold.
bool sound_exact_sum(std::uint64_t word, std::uint64_t n) {
    const double v = std::bit_cast<double>(word);
    return std::isfinite(v) && v >= 0 && v <= static_cast<double>(n) * (1 + 1e-9);
}

bool sound_cell(const SumCell& c, const PartDensity& d, std::uint64_t iterations) {
    if (c.n > iterations) return false;
    if (d.encoding == SumEncoding::Exact)
        return sound_exact_sum(c.r, c.n) && sound_exact_sum(c.g, c.n) && sound_exact_sum(c.b, c.n);
    const std::uint64_t most = c.n << d.frac_bits; // below 2^62: n <= iterations
    return c.r <= most && c.g <= most && c.b <= most;
}

} // namespace

std::uint64_t density_payload_bytes(std::uint32_t res) {
    return kHeadBytes + std::uint64_t{kCellBytes} * res * res;
}

std::uint64_t density_section_bytes(std::uint32_t res) {
    return 4 + 8 + density_payload_bytes(res) + 4;
}

bool write_density_section(const PartDensity& d,
                           const std::function<bool(const std::uint8_t*, std::size_t)>& write) {
    ByteSink w;
    for (char c : kDensityTag)
        w.u8(static_cast<std::uint8_t>(c));
    w.u64(kHeadBytes + std::uint64_t{kCellBytes} * d.cells.size());
    w.raw(encode_head(d));
    std::uint32_t sum = crc(0, w.bytes());
    bool ok = write(w.bytes().data(), w.bytes().size());
    for (std::size_t i = 0; ok && i < d.cells.size(); i += kBlockCells) {
        ByteSink block;
        block.reserve(kCellBytes * kBlockCells);
        for (std::size_t j = i; j < std::min(d.cells.size(), i + kBlockCells); ++j) {
            block.u64(d.cells[j].n);
            block.u64(d.cells[j].r);
            block.u64(d.cells[j].g);
            block.u64(d.cells[j].b);
        }
        sum = crc(sum, block.bytes());
        ok = write(block.bytes().data(), block.bytes().size());
    }
    ByteSink tail;
    tail.u32(sum);
    return ok && write(tail.bytes().data(), tail.bytes().size());
}

std::optional<std::string> read_density_section(BodyReader& body,
                                                std::span<const std::uint8_t> head,
                                                std::uint64_t length, const DensityFrame& frame,
                                                PartDensity& d) {
    if (length != density_payload_bytes(frame.res))
        return std::string("its density does not match its resolution");
    std::vector<std::uint8_t> bytes(kHeadBytes);
    if (!body.read(bytes.data(), bytes.size())) return body.error();
    std::uint32_t sum = crc(crc(0, head), bytes);
    PartDensity got;
    // Read whole before it is judged: a damaged section is called damaged.
    const std::optional<std::string> head_fault = take_head(bytes, frame, got);
    const std::size_t n = std::size_t{frame.res} * frame.res;
    try {
        got.cells.resize(n);
    } catch (const std::bad_alloc&) {
        return std::string("not enough memory for its density");
    }
    bool sound = true;
    bytes.resize(kCellBytes * kBlockCells);
    for (std::size_t i = 0; i < n;) {
        const std::size_t take = std::min(n - i, kBlockCells);
        if (!body.read(bytes.data(), kCellBytes * take)) return body.error();
        const std::span<const std::uint8_t> block(bytes.data(), kCellBytes * take);
        sum = crc(sum, block);
        ByteSource r(block);
        for (std::size_t j = 0; j < take; ++j, ++i) {
            SumCell& c = got.cells[i];
            c.n = r.u64();
            c.r = r.u64();
            c.g = r.u64();
            c.b = r.u64();
            sound = sound && (head_fault || sound_cell(c, got, frame.iterations));
        }
    }
    std::vector<std::uint8_t> tail(4);
    if (!body.read(tail.data(), tail.size())) return body.error();
    if (ByteSource(tail).u32() != sum) return std::string("its density is damaged");
    if (head_fault) return "its density: " + *head_fault;
    if (!sound) return std::string("its density holds more than the render can produce");
    d = std::move(got);
    return std::nullopt;
}

std::optional<std::string> density_mismatch(const PartDensity& a, const PartDensity& b) {
    if (a.encoding != SumEncoding::Whole || b.encoding != SumEncoding::Whole)
        return std::string("a density saved beside a picture is a whole render; it merges with "
                           "no other part");
    if (a.picture.oversample != b.picture.oversample)
        return "their densities were accumulated at different --oversample (" +
               std::to_string(a.picture.oversample) + " and " +
               std::to_string(b.picture.oversample) + ")";
    if (a.picture.color_by != b.picture.color_by || a.index_span != b.index_span)
        return std::string("their densities were coloured by different --color-by");
    if (a.cells.size() != b.cells.size() || a.frac_bits != b.frac_bits)
        return std::string("their densities have different grids");
    return std::nullopt;
}

bool add_part_density(const PartDensity& more, PartDensity& sum, std::uint64_t iterations) {
    // Each part's sums are at most its hits times 2^frac_bits, and the hits of
    // all parts at most the render's calls, so the totals stay below 2^63.
    for (std::size_t i = 0; i < sum.cells.size(); ++i) {
        SumCell& s = sum.cells[i];
        const SumCell& m = more.cells[i];
        if (m.n > iterations - s.n) return false;
        s.n += m.n;
        s.r += m.r;
        s.g += m.g;
        s.b += m.b;
    }
    return true;
}

std::vector<DensityCell> density_cells_of(const PartDensity& d) {
    if (d.encoding == SumEncoding::Whole) return density_cells(d.cells, d.frac_bits);
    std::vector<DensityCell> out(d.cells.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        const SumCell& c = d.cells[i];
        out[i] = DensityCell{c.n, std::bit_cast<double>(c.r), std::bit_cast<double>(c.g),
                             std::bit_cast<double>(c.b)};
    }
    return out;
}

PartDensity exact_density(const std::vector<DensityCell>& cells) {
    PartDensity d;
    d.encoding = SumEncoding::Exact;
    d.cells.resize(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        d.cells[i] = SumCell{cells[i].n, std::bit_cast<std::uint64_t>(cells[i].r),
                             std::bit_cast<std::uint64_t>(cells[i].g),
                             std::bit_cast<std::uint64_t>(cells[i].b)};
    return d;
}

} // namespace morv
