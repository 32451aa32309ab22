// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace morv {

struct State;

// The whole-image passes the hit-count filters share, written so that the
// compiler vectorizes their per-pixel arithmetic.

// Paints every pixel of the canvas (and of the window where it shows the
// image) with palette entry index_of(h) of its count h; an index below 1 leaves
// the pixel as it is, one above 255 paints entry 255. index_of is asked once
// per distinct whole count up to `hitmax` (or a bound set by the image size),
// and for every other count each time it occurs, possibly from `threads`
// threads at once. The canvas is painted in that many bands; the window by
// the calling thread.
void paint_by_index(State& s, const std::function<int(float)>& index_of, unsigned threads);

// A pixel's count as the equalisation tables index it: trunc(h), and 0 for
// anything that is not a count of at least one (never produced, but the buffer
// is not trusted) or does not fit in an int.
std::uint32_t count_of(float h);

// Adds the count_of of every pixel to `histogram`, which starts sized for
// `hitmax` and grows for counts above it (raised after it was taken) up to
// `max_entries`; `kmax` is the largest count. False when a count needs more
// entries than that or the memory cannot be had. With several threads each
// counts a band of the image into a table of its own, of up to max_entries.
bool count_histogram(const State& s, std::size_t max_entries, std::vector<unsigned>& histogram,
                     std::uint32_t& kmax, unsigned threads);

} // namespace morv
