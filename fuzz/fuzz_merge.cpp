// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: hit-count parts (and checkpoints, which --merge reads and
// then refuses, and toned parts with their density) as --merge reads them.
// The first byte chooses how: bit 0 makes the part's checksums good again
// first, its sections' too (so that the checks behind them are reached; a
// deflated body's header only), bit 1
// merges the part with itself. A refused part gives a reason; an accepted one
// is painted, and its density made ready to tone.
#include "cli/hits_file.h"
#include "core/state.h"
#include "formulas/orbits.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <zlib.h>

using namespace morv;

namespace {

constexpr std::size_t kHeader = 1492;
constexpr const char* kPath = "fuzz_merge.hits"; // in the fuzzer's working folder

void put32(std::vector<std::uint8_t>& p, std::size_t at, uLong v) {
    for (int i = 0; i < 4; ++i)
        p[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint64_t get64(const std::vector<std::uint8_t>& p, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | p[at + static_cast<std::size_t>(i)];
    return v;
}

// Each whole section's checksum (tag, size, payload, then a CRC-32 of them),
// so that the checks behind them (a checkpoint's run, a density's values) are
// reached.
void reseal_sections(std::vector<std::uint8_t>& p, std::size_t at) {
    while (p.size() - at >= 16) {
        const std::uint64_t length = get64(p, at + 4);
        if (length > p.size() - at - 16) return;
        const std::size_t end = at + 12 + static_cast<std::size_t>(length);
        put32(p, end, crc32_z(0, p.data() + at, end - at));
        at = end + 4;
    }
}

// The checksums the layout places at 1484 (counts: 8 R^2 bytes after the
// header, R at 16; sections may follow) and 1488 (header). A deflated body
// (version 4) is left as it is: zlib's own checksum guards it, and the
// checks behind it are those of the plain form's.
void reseal(std::vector<std::uint8_t>& p) {
    if (p.size() < kHeader) return;
    const bool deflated = p[8] == 4;
    const std::uint64_t res = p[16] | (p[17] << 8) | (p[18] << 16) | (std::uint64_t{p[19]} << 24);
    const std::size_t counts =
        static_cast<std::size_t>(std::min<std::uint64_t>(p.size() - kHeader, 8 * res * res));
    if (!deflated) put32(p, 1484, crc32_z(0, p.data() + kHeader, counts));
    put32(p, 1488, crc32_z(0, p.data(), 1488));
    if (!deflated) reseal_sections(p, kHeader + counts);
}

bool write_part_bytes(const std::vector<std::uint8_t>& p) {
    std::FILE* f = std::fopen(kPath, "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(p.data(), 1, p.size(), f) == p.size();
    return std::fclose(f) == 0 && ok;
}

// One instance for the whole run, as in the other targets.
State& fuzz_state() {
    static State s;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<std::uint8_t> part(data + 1, data + size);
    if (data[0] & 1) reseal(part);
    if (!write_part_bytes(part)) std::abort();
    std::vector<std::string> paths{kPath};
    if (data[0] & 2) paths.push_back(kPath);
    HitsPart merged;
    if (auto e = merge_parts(paths, merged)) {
        if (e->empty()) std::abort();
        return 0;
    }
    if (merged.totals.counts.size() != std::size_t{merged.res} * merged.res) std::abort();
    State& s = fuzz_state();
    if (!state_of_part(merged, s))
        paint_totals(s, merged.totals, static_cast<long long>(merged.iterations));
    if (merged.density && density_cells_of(*merged.density).size() != merged.totals.counts.size())
        std::abort();
    return 0;
}
