// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/part_body.h"
#include "core/density_sums.h"
#include "core/picture.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace morv {

// The tag of the section that holds a part's density (a toned render).
inline constexpr std::array<char, 4> kDensityTag{'D', 'E', 'N', 'S'};

// How a part's colour sums are stored: whole numbers of 2^-frac_bits steps,
// which parts add up exactly (what --save-hits writes), or the doubles a
// toning reads, bit for bit (a density saved beside a picture, which is a
// whole render and merges with no other part).
enum class SumEncoding : std::uint32_t { Whole = 0, Exact = 1 };

// A part's density: per sample of the part's grid (the render's, oversampled)
// the hits and the colour sums, with what they were accumulated by and the
// tone curve the render asked for. Layout in docs/hits-file.md.
struct PartDensity {
    SumEncoding encoding = SumEncoding::Whole;
    int frac_bits = 0;
    std::uint64_t index_span = 1; // points per pass through the palette (--color-by index)
    PictureSettings picture;      // its oversample and color_by made the sums
    std::vector<SumCell> cells;   // Exact: r, g, b hold the doubles' bits
};

// The bytes of the section's payload for a grid of res x res samples, and
// of the whole section (its tag, size and checksum too).
std::uint64_t density_payload_bytes(std::uint32_t res);
std::uint64_t density_section_bytes(std::uint32_t res);

// Writes the whole section (tag, size, payload, checksum) through `write`,
// a block at a time; false when a write failed.
bool write_density_section(const PartDensity& d,
                           const std::function<bool(const std::uint8_t*, std::size_t)>& write);

// What a read section must agree with: the part's grid and calls.
struct DensityFrame {
    std::uint32_t res = 0;
    std::uint64_t iterations = 0;
};

// Reads the payload of `length` bytes next in `body` (the section's tag and
// size, already read, in `head`) and its checksum; refuses, with the reason,
// a payload that is damaged, of another size or holds values no render makes.
std::optional<std::string> read_density_section(BodyReader& body,
                                                std::span<const std::uint8_t> head,
                                                std::uint64_t length, const DensityFrame& frame,
                                                PartDensity& d);

// Why two parts' densities cannot be added (accumulated differently), if so.
std::optional<std::string> density_mismatch(const PartDensity& a, const PartDensity& b);

// Adds `more` into `sum` (whole sums of one grid); false, leaving `sum` part
// added, when a sample would hold more hits than the render's calls.
bool add_part_density(const PartDensity& more, PartDensity& sum, std::uint64_t iterations);

// The samples as a density holds them (throws std::bad_alloc).
std::vector<DensityCell> density_cells_of(const PartDensity& d);

// The samples of a density as stored exactly.
PartDensity exact_density(const std::vector<DensityCell>& cells);

} // namespace morv
