// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/recipe.h"

#include "core/params.h"
#include "core/settings.h"
#include "files/byte_codec.h"
#include "files/record_check.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>
#include <zlib.h>

namespace morv {

namespace {

constexpr std::uint8_t kMagic[4] = {'M', 'V', 'R', 'C'};
// Magic, version and body length before the body; its checksum after it.
constexpr std::size_t kHeadSize = 12, kTailSize = 4;
constexpr std::size_t kPaletteSize = 256 * 3;
// No table of this program comes near it; a forged count cannot make the
// reader loop long.
constexpr std::uint32_t kMaxSettings = 4096;
constexpr std::size_t kMaxNameLength = 64;
constexpr long long kMaxCalls = 1LL << 50;
constexpr long long kMaxOrbits = 1LL << 20;
constexpr int kLargestSide = 32768;
constexpr std::uint8_t kFastFlag = 1;

std::uint32_t crc_of(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b = {}) {
    uLong crc = crc32(0L, Z_NULL, 0);
    if (!a.empty()) crc = crc32(crc, a.data(), static_cast<uInt>(a.size()));
    if (!b.empty()) crc = crc32(crc, b.data(), static_cast<uInt>(b.size()));
    return static_cast<std::uint32_t>(crc);
}

// The settings a recipe carries: every member of every row that a file or
// --set can reach. The record holds some of them too; the recipe repeats
// them so that it describes the whole parameter set on its own.
template <class Visit> void for_each_setting(Visit&& visit) {
    for (const Setting& row : kSettings) {
        if (row.field.read == nullptr) continue;
        for (int i = 0; i < family_size(row); ++i)
            visit(row, i);
    }
}

void put_run(ByteSink& out, const RecipeRun& run) {
    out.i32(run.res);
    out.u64(static_cast<std::uint64_t>(run.calls));
    out.u8(run.seed ? 1 : 0);
    out.u64(static_cast<std::uint64_t>(run.seed.value_or(0)));
    out.u64(static_cast<std::uint64_t>(run.orbits));
    const auto* f = std::find(std::begin(kRecipeFilters), std::end(kRecipeFilters), run.filter);
    out.u8(static_cast<std::uint8_t>(f == std::end(kRecipeFilters) ? 0 : f - kRecipeFilters));
    out.u8(run.fast ? kFastFlag : 0);
}

std::optional<std::string> take_run(ByteSource& in, RecipeRun& run) {
    run.res = in.i32();
    run.calls = static_cast<long long>(in.u64());
    const std::uint8_t seeded = in.u8();
    const auto seed = static_cast<std::int64_t>(in.u64());
    run.orbits = static_cast<long long>(in.u64());
    const std::uint8_t filter = in.u8();
    const std::uint8_t flags = in.u8();
    if (run.res < 1 || run.res > kLargestSide)
        return "its picture side is " + std::to_string(run.res) + "; it must lie in 1.." +
               std::to_string(kLargestSide);
    if (run.calls < -1 || run.calls > kMaxCalls)
        return "its call count " + std::to_string(run.calls) + " is out of range";
    if (seeded > 1) return "its seed flag is " + std::to_string(seeded) + "; it must be 0 or 1";
    run.seed = seeded != 0 ? std::optional<std::int64_t>(seed) : std::nullopt;
    if (run.orbits < 1 || run.orbits > kMaxOrbits)
        return "its orbit count " + std::to_string(run.orbits) + " is out of range";
    if (filter >= std::size(kRecipeFilters))
        return "its filter number " + std::to_string(filter) + " names no filter";
    run.filter = std::string(kRecipeFilters[filter]);
    if ((flags & ~kFastFlag) != 0) return "its flags hold " + std::to_string(flags);
    run.fast = (flags & kFastFlag) != 0;
    return std::nullopt;
}

// A value that no field of its kind could have held.
bool holds_kind(const Setting& row, double v) {
    if (!std::isfinite(v)) return false;
    return row.kind == SettingKind::Real || (v == std::trunc(v) && std::fabs(v) < 4294967296.0);
}

std::optional<std::string> take_settings(ByteSource& in, Params& ps) {
    const std::uint32_t count = in.u32();
    if (count > kMaxSettings) return "it claims " + std::to_string(count) + " settings";
    std::set<std::string> seen;
    for (std::uint32_t k = 0; k < count && !in.overrun(); ++k) {
        const std::size_t length = in.u8();
        const auto name_bytes = in.raw(length);
        const double value = in.f64();
        if (in.overrun()) break;
        const std::string name(name_bytes.begin(), name_bytes.end());
        int index = 0;
        const Setting* row = length <= kMaxNameLength ? find_setting(name, index) : nullptr;
        if (row == nullptr || row->field.write == nullptr)
            return "it holds a setting this version does not know: '" + name.substr(0, 32) + "'";
        if (!seen.insert(name).second) return "it holds " + name + " twice";
        if (!holds_kind(*row, value)) return "its " + name + " is not a value of its kind";
        row->field.write(ps, index, value);
    }
    if (in.overrun()) return std::string("its settings end early");
    return std::nullopt;
}

// The rules beyond the limits (the method a type offers, 8 or 16 bits).
std::optional<std::string> rule_fault(const Params& ps) {
    for (const Setting& row : kSettings) {
        if (row.rule == nullptr || row.field.read == nullptr) continue;
        if (std::string why = row.rule(ps, row.field.read(ps, 0)); !why.empty())
            return std::string(row.name) + ": " + why;
    }
    return std::nullopt;
}

std::optional<std::string> take_body(ByteSource& in, Params& ps, RecipeRun& run,
                                     std::span<const std::uint8_t> record,
                                     std::span<const std::uint8_t> view) {
    if (in.u32() != crc_of(record, view))
        return std::string("it belongs to another parameter record or view");
    if (auto e = take_run(in, run)) return e;
    const auto palette = in.raw(kPaletteSize);
    if (palette.size() != kPaletteSize) return std::string("its palette ends early");
    for (std::size_t i = 0; i < kPaletteSize; ++i)
        ps.palette[i / 3][i % 3] = palette[i];
    if (auto e = take_settings(in, ps)) return e;
    if (in.left() != 0) return std::string("it holds bytes past its settings");
    if (auto e = check_settings(ps)) return e;
    return rule_fault(ps);
}

} // namespace

std::vector<std::uint8_t> encode_recipe(const Params& ps, const RecipeRun& run,
                                        std::span<const std::uint8_t> record,
                                        std::span<const std::uint8_t> view) {
    ByteSink body;
    body.u32(crc_of(record, view));
    put_run(body, run);
    for (const RGB& entry : ps.palette)
        body.raw(entry);
    std::uint32_t count = 0;
    for_each_setting([&](const Setting&, int) { ++count; });
    body.u32(count);
    for_each_setting([&](const Setting& row, int i) {
        const std::string name = setting_name(row, i);
        body.u8(static_cast<std::uint8_t>(name.size()));
        body.raw({reinterpret_cast<const std::uint8_t*>(name.data()), name.size()});
        body.f64(row.field.read(ps, i));
    });
    ByteSink out;
    out.raw(kMagic);
    out.u32(kRecipeVersion);
    out.u32(static_cast<std::uint32_t>(body.bytes().size()));
    out.raw(body.bytes());
    out.u32(crc_of(out.bytes()));
    return out.take();
}

std::optional<std::string> apply_recipe(Params& ps, RecipeRun& run,
                                        std::span<const std::uint8_t> bytes,
                                        std::span<const std::uint8_t> record,
                                        std::span<const std::uint8_t> view) {
    const std::string what = "a damaged or foreign Morvane recipe: ";
    if (bytes.size() < kHeadSize + kTailSize || !std::equal(kMagic, kMagic + 4, bytes.begin()))
        return what + "it does not start as one";
    ByteSource head(bytes.subspan(4));
    const std::uint32_t version = head.u32();
    const std::uint32_t length = head.u32();
    if (version != kRecipeVersion)
        return "a Morvane recipe of version " + std::to_string(version) +
               " (this program reads version " + std::to_string(kRecipeVersion) + ")";
    if (length != bytes.size() - kHeadSize - kTailSize)
        return what + "it claims " + std::to_string(length) + " bytes but holds " +
               std::to_string(bytes.size() - kHeadSize - kTailSize);
    ByteSource tail(bytes.subspan(bytes.size() - kTailSize));
    if (tail.u32() != crc_of(bytes.first(bytes.size() - kTailSize)))
        return what + "its checksum does not match";
    Params candidate = ps;
    RecipeRun taken;
    ByteSource body(bytes.subspan(kHeadSize, length));
    if (auto e = take_body(body, candidate, taken, record, view)) return what + *e;
    ps = candidate;
    run = taken;
    return std::nullopt;
}

} // namespace morv
