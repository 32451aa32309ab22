// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/hits_file.h"

#include "cli/part_body.h"
#include "core/input_file.h"
#include "files/atomic_file.h"
#include "files/atr.h"
#include "files/byte_codec.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <zlib.h>

namespace morv {

namespace {

constexpr char kMagic[8] = {'M', 'O', 'R', 'V', 'H', 'I', 'T', 'S'};
// Version 1 parts carried no checksum over their counts: a part cut short or
// damaged in its counts merged without a word, so they are refused.
constexpr std::uint32_t kVersion = 2;
// Version 3 adds sections after the counts; a part without any stays version 2.
constexpr std::uint32_t kSectionsVersion = 3;
// Version 4 deflates the body (counts and sections) as one zlib stream.
constexpr std::uint32_t kDeflatedVersion = 4;
constexpr std::uint32_t kFirstVersion = 1;
// A section's payload at most: what a checkpoint's run needs is far less.
constexpr std::uint64_t kMaxSection = std::uint64_t{1} << 32;
constexpr std::size_t kHeaderSize = 8 + 4 * 6 + 8 * 6 + kAtrSize + 768 + 4 + 8 + 4 + 4;
constexpr std::uint32_t kMaxRes = 32768;
constexpr std::uint32_t kRawCounts = 0;      // counts stored as they are, 8 bytes each
constexpr std::uint32_t kPlanedCounts = 1;   // byte-planed by blocks, the body deflated
constexpr std::size_t kBlock = kCountsBlock; // counts per block read or written
// Read at a time into a section, so that only what the body really holds is allocated.
constexpr std::size_t kSectionChunk = std::size_t{1} << 20;

std::uint32_t crc(std::uint32_t running, const std::vector<std::uint8_t>& bytes) {
    return static_cast<std::uint32_t>(crc32_z(running, bytes.data(), bytes.size()));
}

// The checksum of the counts as the file stores them before any encoding.
std::uint32_t counts_crc(const std::vector<std::uint64_t>& c) {
    std::uint32_t sum = static_cast<std::uint32_t>(crc32_z(0, nullptr, 0));
    for (std::size_t i = 0; i < c.size(); i += kBlock)
        sum = crc(sum, encode_counts(c, i, BodyForm::Plain));
    return sum;
}

// Everything but the orbit range and the counts: what parts of one render share.
std::vector<std::uint8_t> shared_fields(const HitsPart& p) {
    ByteSink w;
    w.u32(p.res);
    w.u32(p.type);
    w.u32(p.method);
    w.u64(p.orbits);
    w.u64(p.iterations);
    w.u64(static_cast<std::uint64_t>(p.clock));
    w.raw(p.record);
    for (const RGB& e : p.palette)
        w.raw(e);
    w.u32(p.back);
    return w.take();
}

std::uint64_t fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint8_t b : bytes)
        h = (h ^ b) * 1099511628211ull;
    return h;
}

std::uint64_t counts_bytes(std::uint32_t res) {
    return std::uint64_t{8} * res * res;
}

// A plain body's size field holds its counts' bytes; a deflated one's, the
// whole body's once inflated.
std::vector<std::uint8_t> header(const HitsPart& p, std::uint32_t sum, BodyForm form,
                                 std::uint64_t body) {
    const bool plain = form == BodyForm::Plain;
    ByteSink w;
    for (char c : kMagic)
        w.u8(static_cast<std::uint8_t>(c));
    w.u32(!plain ? kDeflatedVersion
                 : (p.sections.empty() && !p.density ? kVersion : kSectionsVersion));
    w.u32(static_cast<std::uint32_t>(kHeaderSize));
    w.u32(p.res);
    w.u32(p.type);
    w.u32(p.method);
    w.u32(plain ? kRawCounts : kPlanedCounts);
    w.u64(p.orbits);
    w.u64(p.first);
    w.u64(p.end);
    w.u64(p.iterations);
    w.u64(static_cast<std::uint64_t>(p.clock));
    w.u64(p.params_hash);
    w.raw(p.record);
    for (const RGB& e : p.palette)
        w.raw(e);
    w.u32(p.back);
    w.u64(plain ? counts_bytes(p.res) : body);
    w.u32(sum);
    w.u32(crc(0, w.bytes()));
    return w.take();
}

std::optional<std::string> check_header(const HitsPart& p) {
    if (p.res < 1 || p.res > kMaxRes)
        return "resolution " + std::to_string(p.res) + " out of range";
    if (p.type >= static_cast<std::uint32_t>(NTYPES)) return "unknown type";
    if (p.method != kMethodSpeedPoints && p.method != kMethodHitCount)
        return "colouring method is neither Speed - Points nor Hit Count";
    if (p.orbits < 1 || p.first >= p.end || p.end > p.orbits) return "bad orbit range";
    if (p.params_hash != fnv1a(shared_fields(p))) return "header damaged (hash mismatch)";
    return std::nullopt;
}

} // namespace

const HitsSection* HitsPart::section(const std::array<char, 4>& tag) const {
    for (const HitsSection& s : sections)
        if (s.tag == tag) return &s;
    return nullptr;
}

bool HitsPart::may_hold_sections() const {
    return version == kSectionsVersion ||
           (version == kDeflatedVersion && stored_bytes > counts_bytes(res));
}

HitsPart part_header(const State& s, const OrbitJob& job, std::int64_t clock, int method) {
    HitsPart p;
    p.res = static_cast<std::uint32_t>(s.res);
    p.type = static_cast<std::uint32_t>(s.type);
    p.method = static_cast<std::uint32_t>(method);
    p.orbits = static_cast<std::uint64_t>(job.orbits);
    p.first = static_cast<std::uint64_t>(job.first);
    p.end = static_cast<std::uint64_t>(job.end);
    p.iterations = static_cast<std::uint64_t>(job.iterations);
    p.clock = clock;
    const AtrBytes rec = encode_atr(atr_from_state(s));
    p.record.assign(rec.begin(), rec.end());
    p.palette = s.palette;
    p.back = s.back;
    p.params_hash = fnv1a(shared_fields(p));
    return p;
}

HitsPart make_part(const State& s, const OrbitJob& job, std::int64_t clock, OrbitTotals totals) {
    HitsPart p = part_header(s, job, clock, totals.method);
    p.totals = std::move(totals); // its checksum is taken as it is written
    return p;
}

namespace {

// A section as stored: tag, payload size, payload, CRC-32 of all three.
std::vector<std::uint8_t> encode_section(const HitsSection& s) {
    ByteSink w;
    for (char c : s.tag)
        w.u8(static_cast<std::uint8_t>(c));
    w.u64(s.bytes.size());
    w.raw(s.bytes);
    w.u32(crc(0, w.bytes()));
    return w.take();
}

} // namespace

std::optional<std::string> write_part(const HitsPart& head, const std::vector<std::uint64_t>& c,
                                      const std::string& path, BodyForm form) {
    std::vector<std::vector<std::uint8_t>> sections;
    std::uint64_t body = counts_bytes(head.res);
    for (const HitsSection& s : head.sections) {
        sections.push_back(encode_section(s));
        body += sections.back().size();
    }
    if (head.density) body += density_section_bytes(head.res);
    AtomicFile f;
    bool ok = f.open(path);
    const std::vector<std::uint8_t> top = header(head, counts_crc(c), form, body);
    ok = ok && f.write(top.data(), top.size());
    BodyWriter w(f, form);
    for (std::size_t i = 0; ok && i < c.size(); i += kBlock) {
        const std::vector<std::uint8_t> block = encode_counts(c, i, form);
        ok = w.write(block.data(), block.size());
    }
    for (const std::vector<std::uint8_t>& bytes : sections)
        ok = ok && w.write(bytes.data(), bytes.size());
    if (ok && head.density)
        ok = w.sums_follow() &&
             write_density_section(*head.density, [&w](const std::uint8_t* b, std::size_t n) {
                 return w.write(b, n);
             });
    ok = ok && w.finish();
    if (!ok || !f.commit())
        return path + ": " + (f.error().empty() ? "not enough memory to deflate it" : f.error());
    return std::nullopt;
}

std::optional<std::string> write_part(const HitsPart& part, const std::string& path,
                                      BodyForm form) {
    return write_part(part, part.totals.counts, path, form);
}

namespace {

// The fields after the magic, the version and the header size.
HitsPart decode_fields(ByteSource& r) {
    HitsPart p;
    p.res = r.u32();
    p.type = r.u32();
    p.method = r.u32();
    p.encoding = r.u32();
    p.orbits = r.u64();
    p.first = r.u64();
    p.end = r.u64();
    p.iterations = r.u64();
    p.clock = static_cast<std::int64_t>(r.u64());
    p.params_hash = r.u64();
    const auto record = r.raw(kAtrSize);
    p.record.assign(record.begin(), record.end());
    for (RGB& e : p.palette) {
        const auto entry = r.raw(e.size());
        std::copy(entry.begin(), entry.end(), e.begin());
    }
    p.back = r.u32();
    p.stored_bytes = r.u64();
    p.counts_crc = r.u32();
    return p;
}

std::optional<std::string> read_header(std::FILE* f, HitsPart& p) {
    std::vector<std::uint8_t> head(kHeaderSize);
    const std::size_t got = std::fread(head.data(), 1, head.size(), f);
    if (got < 16) return "not a hit-count part (too short)";
    if (std::memcmp(head.data(), kMagic, 8) != 0) return "not a hit-count part";
    ByteSource r(head);
    r.skip(sizeof kMagic);
    const std::uint32_t version = r.u32();
    if (version == kFirstVersion)
        return "an older morvane-render wrote this part without a checksum over its counts; "
               "draw it again";
    if (version != kVersion && version != kSectionsVersion && version != kDeflatedVersion)
        return "unsupported hit-count part version";
    if (r.u32() != kHeaderSize) return "bad header size";
    if (got != head.size()) return "not a hit-count part (too short)";
    const std::uint32_t stored_crc = ByteSource(std::span<const std::uint8_t>(head).last(4)).u32();
    head.resize(kHeaderSize - 4);
    if (stored_crc != crc(0, head)) return "header damaged (checksum mismatch)";
    p = decode_fields(r);
    p.version = version;
    const bool deflated = version == kDeflatedVersion;
    if (p.encoding != (deflated ? kPlanedCounts : kRawCounts))
        return "unknown encoding of its counts";
    if (auto e = check_header(p)) return e;
    if (deflated ? p.stored_bytes < counts_bytes(p.res) : p.stored_bytes != counts_bytes(p.res))
        return "size of its counts does not match its resolution";
    return std::nullopt;
}

BodyForm form_of(const HitsPart& p) {
    return p.version == kDeflatedVersion ? BodyForm::Deflated : BodyForm::Plain;
}

// The body's bytes (inflated): exactly the counts must follow the header
// (and, from version 3, the sections after them); a deflated body cannot
// inflate to more than deflate gives from its bytes. The file's size is
// checked before anything that large is allocated.
std::optional<std::string> body_size(std::FILE* f, const HitsPart& p, std::uint64_t& body) {
    if (std::fseek(f, 0, SEEK_END) != 0) return std::string(std::strerror(errno));
    const long end = std::ftell(f);
    const std::uint64_t size = end < 0 ? 0 : static_cast<std::uint64_t>(end);
    const std::uint64_t stored = size - std::min<std::uint64_t>(size, kHeaderSize);
    if (form_of(p) == BodyForm::Deflated) {
        if (end < 0 || stored == 0) return "its body is cut short";
        if (p.stored_bytes / kMaxInflateRatio > stored)
            return "its header claims more than its body can inflate to (cut short?)";
        body = p.stored_bytes;
    } else {
        if (end < 0 || stored < p.stored_bytes ||
            (p.version == kVersion && stored != p.stored_bytes))
            return "size does not match its resolution (cut short?)";
        body = stored;
    }
    if (std::fseek(f, static_cast<long>(kHeaderSize), SEEK_SET) != 0)
        return std::string(std::strerror(errno));
    return std::nullopt;
}

std::optional<std::string> read_counts(BodyReader& body, HitsPart& p) {
    const std::size_t n = static_cast<std::size_t>(p.res) * p.res;
    p.totals.method = static_cast<int>(p.method);
    try {
        p.totals.counts.assign(n, 0);
    } catch (const std::bad_alloc&) {
        return "not enough memory for its counts";
    }
    const std::uint64_t limit = p.method == kMethodHitCount ? p.iterations : 255;
    std::vector<std::uint8_t> block, plain;
    std::uint32_t sum = static_cast<std::uint32_t>(crc32_z(0, nullptr, 0));
    bool too_large = false;
    for (std::size_t i = 0; i < n; i += kBlock) {
        block.resize(8 * std::min(n - i, kBlock));
        if (!body.read(block.data(), block.size())) return body.error();
        decode_counts(block, form_of(p), &p.totals.counts[i], plain);
        sum = crc(sum, plain);
        for (std::size_t j = i; j < i + block.size() / 8; ++j)
            too_large = too_large || p.totals.counts[j] > limit;
    }
    // The checksum first: a damaged part is called damaged, whatever its values.
    if (sum != p.counts_crc) return "counts damaged (checksum mismatch)";
    if (too_large) return "a count exceeds what the render can produce";
    return std::nullopt;
}

// A section's payload, taken a chunk at a time: a size that the body does
// not hold allocates no more than the body gives.
std::optional<std::string> read_payload(BodyReader& body, std::uint64_t length,
                                        std::vector<std::uint8_t>& out) {
    try {
        while (out.size() < length) {
            const std::size_t at = out.size();
            out.resize(
                at + static_cast<std::size_t>(std::min<std::uint64_t>(length - at, kSectionChunk)));
            if (!body.read(out.data() + at, out.size() - at)) return body.error();
        }
    } catch (const std::bad_alloc&) {
        return "not enough memory for a section after the counts";
    }
    return std::nullopt;
}

// The sections after the counts up to the end of the body, each whole and
// sound; a section too large for the rest of the body is refused before its
// memory is asked for.
std::optional<std::string> read_sections(BodyReader& body, HitsPart& p) {
    constexpr std::uint64_t kFraming = 4 + 8 + 4;
    while (body.left() > 0) {
        std::vector<std::uint8_t> head(12);
        if (body.left() < kFraming) return "a section after the counts is cut short";
        if (!body.read(head.data(), head.size())) return body.error();
        ByteSource r(head);
        HitsSection s;
        const auto tag = r.raw(4);
        std::copy(tag.begin(), tag.end(), s.tag.begin());
        const std::uint64_t length = r.u64();
        const bool density = s.tag == kDensityTag;
        if ((!density && length > kMaxSection) || length > body.left() - 4)
            return "a section after the counts is cut short";
        if (p.section(s.tag) != nullptr || (density && p.density)) return "a section appears twice";
        if (density) {
            p.density.emplace();
            if (auto e =
                    read_density_section(body, head, length, {p.res, p.iterations}, *p.density))
                return e;
            continue;
        }
        if (auto e = read_payload(body, length, s.bytes)) return e;
        std::vector<std::uint8_t> tail(4);
        if (!body.read(tail.data(), tail.size())) return body.error();
        const std::uint32_t sum = crc(crc(0, head), s.bytes);
        if (ByteSource(tail).u32() != sum) return "a section after the counts is damaged";
        p.sections.push_back(std::move(s));
    }
    if (p.version == kSectionsVersion && p.sections.empty() && !p.density)
        return "version 3 part without sections";
    return std::nullopt;
}

// Adds one more part's counts (Hit Count) or keeps the brighter of each
// pixel (Speed - Points).
std::optional<std::string> add_counts(const HitsPart& p, HitsPart& merged) {
    const std::vector<std::uint64_t>& c = p.totals.counts;
    std::vector<std::uint64_t>& m = merged.totals.counts;
    for (std::size_t i = 0; i < m.size(); ++i) {
        if (merged.method != kMethodHitCount) {
            m[i] = std::max(m[i], c[i]);
            continue;
        }
        // Each part's counts are at most the render's calls, so a sum
        // beyond them means the parts are not what they claim.
        if (c[i] > merged.iterations - std::min(m[i], merged.iterations))
            return std::string("--merge: the parts hold more hits than the render made");
        m[i] += c[i];
    }
    return std::nullopt;
}

// Adds one more part's density: parts draw one toned render when each has a
// density accumulated alike, or none has.
std::optional<std::string> merge_density(const HitsPart& p, HitsPart& merged) {
    if (p.density.has_value() != merged.density.has_value())
        return std::string("carries a density where the first part does not, or the other "
                           "way round (drawn with and without --tone)");
    if (!p.density) return std::nullopt;
    if (auto e = density_mismatch(*merged.density, *p.density)) return e;
    if (!add_part_density(*p.density, *merged.density, merged.iterations))
        return std::string("the parts hold more hits than the render made");
    return std::nullopt;
}

std::string different_renders() {
    return "--merge: the parts come from different renders (parameters, resolution, orbit "
           "count, iterations or --seed differ)";
}

// The parts' orbit ranges must tile 0..orbits-1 exactly.
std::optional<std::string>
check_coverage(std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges, std::uint64_t orbits) {
    std::sort(ranges.begin(), ranges.end());
    std::uint64_t next = 0;
    for (const auto& [first, end] : ranges) {
        if (first < next) return "--merge: orbit ranges overlap at orbit " + std::to_string(first);
        if (first > next)
            return "--merge: orbits " + std::to_string(next) + ".." + std::to_string(first - 1) +
                   " are missing";
        next = end;
    }
    if (next != orbits)
        return "--merge: orbits " + std::to_string(next) + ".." + std::to_string(orbits - 1) +
               " are missing";
    return std::nullopt;
}

} // namespace

std::optional<std::string> read_part(const std::string& path, HitsPart& part) {
    std::string why;
    const InputStream f = open_input_stream(path, why);
    if (!f) return path + ": " + why;
    HitsPart p;
    std::uint64_t size = 0;
    std::optional<std::string> e = read_header(f.get(), p);
    if (!e) e = body_size(f.get(), p, size);
    if (e) return path + ": " + *e;
    BodyReader body(f.get(), form_of(p), size);
    e = read_counts(body, p);
    if (!e) e = read_sections(body, p);
    if (!e && !body.finish()) e = body.error();
    if (e) return path + ": " + *e;
    part = std::move(p);
    return std::nullopt;
}

std::optional<std::string> read_part_header(const std::string& path, HitsPart& part) {
    std::string why;
    const InputStream f = open_input_stream(path, why);
    if (!f) return path + ": " + why;
    if (auto e = read_header(f.get(), part)) return path + ": " + *e;
    return std::nullopt;
}

std::optional<std::string> merge_parts(const std::vector<std::string>& paths, HitsPart& merged) {
    if (paths.empty()) return std::string("--merge: no parts given");
    // One part in memory beside the sum: posters' parts are large.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        HitsPart p;
        // The first part's size was checked against the memory budget; the
        // others are of the same render (and size) before their counts are read.
        if (k > 0 && !read_part_header(paths[k], p) && p.params_hash != merged.params_hash)
            return different_renders();
        if (auto e = read_part(paths[k], p)) return "--merge: " + *e;
        if (p.section(kCheckpointTag) != nullptr)
            return "--merge: " + paths[k] +
                   " is the checkpoint of a render under way, not a finished part; continue it "
                   "with --resume";
        ranges.emplace_back(p.first, p.end);
        if (k == 0) {
            merged = std::move(p);
            continue;
        }
        if (p.params_hash != merged.params_hash) return different_renders();
        if (auto e = add_counts(p, merged)) return e;
        if (auto e = merge_density(p, merged)) return "--merge: " + paths[k] + ": " + *e;
    }
    if (auto e = check_coverage(std::move(ranges), merged.orbits)) return e;
    merged.first = 0;
    merged.end = merged.orbits;
    return std::nullopt;
}

std::optional<std::string> state_of_part(const HitsPart& part, State& s) {
    std::string reason;
    if (load_atr_bytes(s, part.record, &reason) != kAtrLoadOk)
        return "--merge: the parameter record in the part is not valid: " + reason;
    s.type = static_cast<int>(part.type);
    s.method[s.type] = static_cast<int>(part.method);
    if (!set_resolution(s, static_cast<int>(part.res)))
        return "--merge: not enough memory for a " + std::to_string(part.res) + " x " +
               std::to_string(part.res) + " image";
    s.palette = part.palette;
    s.back = part.back;
    return std::nullopt;
}

} // namespace morv
