// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace morv {

class Surface;

// The private ancillary chunk that carries the parameter record inside an
// image: lowercase first letter (a reader may skip it), lowercase second
// (private), uppercase third (reserved bit clear), lowercase fourth (safe to
// copy: the record describes how the picture was made, not its bytes).
inline constexpr char kPngRecordChunk[] = "moRv";
// Beside it, the plot window of the record's type (xmin, xmax, ymin, ymax as
// little-endian doubles): the record itself has no room for a zoomed view.
inline constexpr char kPngViewChunk[] = "moVw";
// Beside them, how the picture was drawn (files/recipe.h): the colouring,
// palette, tone, resolution, calls, seed and orbits its pixels depend on.
inline constexpr char kPngRecipeChunk[] = "moRc";

// The eight bytes every PNG file starts with.
bool is_png_signature(std::span<const std::uint8_t> head);

// Writes the top-left res x res part of `canvas` to `path` as an 8-bit RGB
// PNG with the same pixels a TGA of it holds, the bytes of `record` in the
// private chunk (none when empty) and `description` as a readable text chunk. Returns the codes
// of writetga: 0 success, 1 the file could not be created, 2 no memory, 3 a
// write failed. An existing file is only replaced once everything was written.
// On failure `reason` (if given) says why in the system's words. The bytes of
// `view` and `recipe` go into their chunks (none when empty); `summary`, when
// given, is a second text chunk that other programs show.
int writepng(const Surface& canvas, int res, const std::string& path,
             std::span<const std::uint8_t> record, const std::string& description,
             std::string* reason = nullptr, std::span<const std::uint8_t> view = {},
             std::span<const std::uint8_t> recipe = {}, const std::string& summary = {});

// Pixels for a PNG of any depth: side x side, red, green, blue (and alpha)
// values of `depth` bits (8 or 16), row y filled by row(y, values) with
// side * channels values.
struct PngPixels {
    int side = 0;
    int depth = 8;
    bool alpha = false;
    std::function<void(int y, std::uint16_t* values)> row;
};

// writepng for such pixels.
int writepng(const PngPixels& pixels, const std::string& path, std::span<const std::uint8_t> record,
             const std::string& description, std::string* reason = nullptr,
             std::span<const std::uint8_t> view = {}, std::span<const std::uint8_t> recipe = {},
             const std::string& summary = {});

// The text key of the summary.
inline constexpr char kPngSummaryKey[] = "Morvane recipe";

// What a PNG file holds, as far as this program cares.
struct PngContents {
    int width = 0, height = 0;
    std::vector<Rgb> pixels; // row after row; filled only when asked for
    std::optional<std::vector<std::uint8_t>> record;
    std::optional<std::vector<std::uint8_t>> view;
    std::optional<std::vector<std::uint8_t>> recipe;
    std::string description;
};

// Reads and checks a whole PNG file (every chunk and its checksum, so a
// truncated or damaged file fails). On failure returns false with `reason`
// saying why; `out` is then unspecified.
bool readpng(const std::string& path, PngContents& out, bool with_pixels, std::string& reason);
// The same from an open file, read from its current position.
bool readpng(std::FILE* in, PngContents& out, bool with_pixels, std::string& reason);

} // namespace morv
