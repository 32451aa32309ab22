// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv {

struct State;

// Results of the hit-count filters.
inline constexpr int kFilterDone = 0;
inline constexpr int kFilterTooFewIterations = 1; // fewer than 1000 iterations
inline constexpr int kFilterNotHitCount = 2;      // the colouring method is not "Hit Count"
inline constexpr int kFilterNoMemory = 3;         // equalize only: no memory for its tables
inline constexpr int kFilterNoBuffer = 4;         // no hit-count buffer for the current image

// What both programs say for kFilterNoMemory, character for character.
inline constexpr const char* kFilterNoMemoryText =
    "Not enough memory to allocate equalization buffers.\nFree up more system memory, or\n   stop "
    "rendereing at\n   fewer iterations.";

// The filters recolour the hit-count image from `hitcount` through `palette`,
// painting the canvas and the visible part of the window; a pixel that gets
// no index keeps its colour. They change neither `hitcount` nor `hitmax`.
// Each first checks: fewer than 1000 iterations (1), method not 3 (2), no
// buffer of res x res counts (4); nothing is drawn then.

// Linear: index trunc(1024 * h / hitmax), limited to 255.
int normalize(State& s);
// Histogram equalisation over the hit pixels: indices 1..255 by rank.
int equalize(State& s);
// equalize on `threads` threads (equalize picks them by the image's size);
// the same pixels for any number.
int equalize_in_threads(State& s, unsigned threads);
// Logarithmic squared ("Hit Count Log Squared"): index
// trunc(ln(h)^2 * 255 / ln(hitmax)^2), limited to 255.
int logadjust(State& s);
// Plain logarithmic ("Hit Count Log"): index trunc(ln(h) / ln(hitmax) * 255),
// limited to 255. Brighter than the squared form: the palette indices shift
// less toward the lower end.
int logplain(State& s);

} // namespace morv
