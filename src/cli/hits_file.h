// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/hits_density.h"
#include "cli/part_body.h"
#include "core/state.h"
#include "formulas/orbits.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morv {

// What a part carries after its counts, tagged by four letters (a checkpoint's
// run, say); a part with none is written as version 2.
struct HitsSection {
    std::array<char, 4> tag{};
    std::vector<std::uint8_t> bytes;
};

// The tag of a checkpoint's section: a part holding it is a render under way.
inline constexpr std::array<char, 4> kCheckpointTag{'C', 'K', 'P', 'T'};

// A part of a render split by orbits: what was rendered and the raw totals.
// The file layout (all numbers little-endian) is documented in
// docs/hits-file.md.
struct HitsPart {
    std::uint32_t version = 2;
    std::uint32_t res = 0, type = 0, method = 0;
    std::uint64_t orbits = 0, first = 0, end = 0, iterations = 0;
    std::int64_t clock = 0;
    std::uint64_t params_hash = 0;
    std::uint32_t encoding = 0;       // how the counts are stored; 0: as they are
    std::uint64_t stored_bytes = 0;   // the counts' bytes in the file (a deflated
                                      // body's bytes, sections too, once inflated)
    std::uint32_t counts_crc = 0;     // CRC-32 of the counts before any encoding
    std::vector<std::uint8_t> record; // the parameter record, kAtrSize bytes
    Palette palette{};
    Rgb back = 0;
    OrbitTotals totals;
    std::vector<HitsSection> sections;
    // A toned render's density (the DENS section), read and written apart
    // from the other sections: it is as large as the counts, or larger.
    std::optional<PartDensity> density;

    const HitsSection* section(const std::array<char, 4>& tag) const;
    // Whether sections (a density, say) may follow its counts, known from
    // the header alone.
    bool may_hold_sections() const;
};

// The part a render of `job` over `s` makes from `totals`.
HitsPart make_part(const State& s, const OrbitJob& job, std::int64_t clock, OrbitTotals totals);

// The same without the counts, for a part whose counts are written from
// elsewhere (a checkpoint's totals, which stay where they are).
HitsPart part_header(const State& s, const OrbitJob& job, std::int64_t clock, int method);

// Writes a part through the careful save: complete, or the old file left as
// it was. The system's reason on failure. Parts are written deflated; the
// plain form is what earlier versions wrote, still read.
std::optional<std::string> write_part(const HitsPart& part, const std::string& path,
                                      BodyForm form = BodyForm::Deflated);

// Writes `head` (its totals unused) with `counts` and `head`'s sections.
std::optional<std::string> write_part(const HitsPart& head,
                                      const std::vector<std::uint64_t>& counts,
                                      const std::string& path, BodyForm form = BodyForm::Deflated);

// Reads and checks a part's header only (its resolution, before the memory
// for its counts is asked for).
std::optional<std::string> read_part_header(const std::string& path, HitsPart& part);

// Reads and checks a part; a clear reason when the file is not a sound one.
std::optional<std::string> read_part(const std::string& path, HitsPart& part);

// Reads the parts of one render and sums them into `merged`; refuses unsound
// parts, parts of different parameter sets, overlapping orbit ranges and
// missing orbits, and parts whose densities were accumulated differently.
std::optional<std::string> merge_parts(const std::vector<std::string>& paths, HitsPart& merged);

// The state the parts were rendered from, ready for paint_totals().
std::optional<std::string> state_of_part(const HitsPart& part, State& s);

} // namespace morv
