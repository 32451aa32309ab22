// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/checkpoint.h"

#include "files/byte_codec.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace morv {

namespace {

// 1: the drawn orbits; 2: and the --fast orbits under way; 3: and what each
// of those carries into its next step.
constexpr std::uint32_t kRunVersion = 3;
constexpr std::uint32_t kMaxArgs = 4096;
constexpr std::uint32_t kMaxArgBytes = 65536;

std::uint64_t bitmap_bytes(std::uint64_t bits) {
    return (bits + 7) / 8;
}

std::optional<std::string> decode_args(ByteSource& r, std::vector<std::string>& args) {
    const std::uint32_t n = r.u32();
    if (n > kMaxArgs) return std::string("too many options");
    for (std::uint32_t i = 0; i < n && !r.overrun(); ++i) {
        const std::uint32_t length = r.u32();
        if (length > kMaxArgBytes) return std::string("an option is too long");
        const auto text = r.raw(length);
        args.emplace_back(text.begin(), text.end());
        if (args.back().find('\0') != std::string::npos)
            return std::string("an option holds a zero byte");
    }
    return std::nullopt;
}

// The orbits under way: each one of the part, once, with fewer calls made
// than it makes in all.
std::optional<std::string> decode_under_way(ByteSource& r, const HitsPart& part,
                                            std::uint32_t version,
                                            std::vector<OrbitUnderWay>& out) {
    const std::uint32_t n = r.u32();
    if (n > part.end - part.first || r.overrun())
        return std::string("more orbits under way than its part has");
    for (std::uint32_t i = 0; i < n && !r.overrun(); ++i) {
        OrbitUnderWay u;
        const std::uint64_t k = r.u64(), made = r.u64();
        u.x = r.f64();
        u.y = r.f64();
        u.z = r.f64();
        u.seed = r.u32();
        if (version >= 3) u.carry = r.f64();
        if (r.overrun()) break;
        if (k < part.first || k >= part.end)
            return std::string("an orbit under way is not its part's");
        if (part.orbits == 0 || made == 0 ||
            made >= static_cast<std::uint64_t>(orbit_calls(static_cast<long long>(part.iterations),
                                                           static_cast<long long>(part.orbits),
                                                           static_cast<long long>(k))))
            return std::string("an orbit under way has made no calls, or all of them");
        u.k = static_cast<long long>(k);
        u.made = static_cast<long long>(made);
        if (std::any_of(out.begin(), out.end(), [&](const OrbitUnderWay& o) { return o.k == u.k; }))
            return std::string("an orbit is under way twice");
        out.push_back(u);
    }
    return std::nullopt;
}

} // namespace

HitsSection encode_checkpoint(const CheckpointRun& run) {
    ByteSink w;
    w.u32(kRunVersion);
    w.u32(static_cast<std::uint32_t>(run.args.size()));
    for (const std::string& a : run.args) {
        w.u32(static_cast<std::uint32_t>(a.size()));
        w.raw(std::span(reinterpret_cast<const std::uint8_t*>(a.data()), a.size()));
    }
    w.u64(run.drawn.size());
    std::vector<std::uint8_t> bits(bitmap_bytes(run.drawn.size()), 0);
    for (std::size_t i = 0; i < run.drawn.size(); ++i)
        if (run.drawn[i]) bits[i / 8] = static_cast<std::uint8_t>(bits[i / 8] | (1u << (i % 8)));
    w.raw(bits);
    w.u32(static_cast<std::uint32_t>(run.under_way.size()));
    for (const OrbitUnderWay& u : run.under_way) {
        w.u64(static_cast<std::uint64_t>(u.k));
        w.u64(static_cast<std::uint64_t>(u.made));
        w.f64(u.x);
        w.f64(u.y);
        w.f64(u.z);
        w.u32(u.seed);
        w.f64(u.carry);
    }
    return HitsSection{kCheckpointTag, w.take()};
}

std::optional<std::string> decode_checkpoint(const HitsPart& part, CheckpointRun& run) {
    const HitsSection* s = part.section(kCheckpointTag);
    if (s == nullptr)
        return std::string("a finished part, not a checkpoint (draw it with --merge)");
    ByteSource r(s->bytes);
    const std::uint32_t version = r.u32();
    if (version < 1 || version > kRunVersion) return std::string("unsupported checkpoint version");
    CheckpointRun got;
    if (auto e = decode_args(r, got.args)) return "checkpoint damaged: " + *e;
    const std::uint64_t bits = r.u64();
    if (r.overrun() || bits != part.end - part.first)
        return std::string("checkpoint damaged: its orbits do not match its part");
    const auto map = r.raw(static_cast<std::size_t>(bitmap_bytes(bits)));
    if (version >= 2)
        if (auto e = decode_under_way(r, part, version, got.under_way))
            return "checkpoint damaged: " + *e;
    if (r.overrun() || r.raw(1).size() != 0)
        return std::string("checkpoint damaged: its section has the wrong size");
    got.drawn.resize(static_cast<std::size_t>(bits));
    for (std::size_t i = 0; i < got.drawn.size(); ++i)
        got.drawn[i] = ((map[i / 8] >> (i % 8)) & 1u) != 0;
    // Bits past the last orbit are zero in a sound checkpoint.
    if (bits % 8 != 0 && (map.back() >> (bits % 8)) != 0)
        return std::string("checkpoint damaged: orbits beyond its part are marked drawn");
    for (const OrbitUnderWay& u : got.under_way)
        if (got.drawn[static_cast<std::size_t>(u.k) - part.first])
            return std::string("checkpoint damaged: an orbit is both drawn and under way");
    run = std::move(got);
    return std::nullopt;
}

std::optional<std::string> read_checkpoint(const std::string& path, ResumePoint& point) {
    ResumePoint got;
    if (auto e = read_part(path, got.part)) return e;
    if (auto e = decode_checkpoint(got.part, got.run)) return path + ": " + *e;
    point = std::move(got);
    return std::nullopt;
}

std::vector<std::string> checkpoint_args(std::vector<std::string> args, std::int64_t clock) {
    if (std::find(args.begin(), args.end(), "--seed") == args.end()) {
        args.emplace_back("--seed");
        args.push_back(std::to_string(clock));
    }
    return args;
}

CheckpointWriter::CheckpointWriter(std::string path, std::chrono::seconds every,
                                   std::vector<std::string> args)
    : path_(std::move(path)), every_(every), last_(std::chrono::steady_clock::now()),
      args_(std::move(args)) {}

void CheckpointWriter::start(const State& base, const OrbitJob& job, int method) {
    head_ = part_header(base, job, job.clock, method);
    args_ = checkpoint_args(std::move(args_), job.clock);
    first_ = job.first;
    drawn_ = job.drawn;
    drawn_.resize(static_cast<std::size_t>(job.end - job.first), false);
    last_ = std::chrono::steady_clock::now();
}

void CheckpointWriter::added(const std::vector<long long>& ks, const OrbitTotals& totals) {
    if (!on()) return;
    for (long long k : ks)
        drawn_[static_cast<std::size_t>(k - first_)] = true;
    if (std::chrono::steady_clock::now() - last_ < every_) return;
    if (auto e = write(totals); e && !warned_) {
        std::fprintf(stderr, "morvane-render: --checkpoint not written: %s; the render goes on\n",
                     e->c_str());
        warned_ = true;
    }
}

std::optional<std::string> CheckpointWriter::write(const OrbitTotals& totals) {
    head_.sections = {encode_checkpoint(CheckpointRun{args_, drawn_, totals.under_way})};
    auto e = write_part(head_, totals.counts, path_);
    last_ = std::chrono::steady_clock::now();
    return e;
}

} // namespace morv
