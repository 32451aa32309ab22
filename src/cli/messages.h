// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The renderer's own words for failures that the desktop program reports in
// its message boxes: the same texts, so both say the same thing.
namespace morv {

// A failed save, by the writer's result code - 1.
inline constexpr const char* kCliSaveError[3] = {
    "Error opening a save file.",
    "Not enough memory to buffer image lines.",
    "Error writing to save file.",
};
inline constexpr const char* kCliAtrLoadErrorText = "Error opening ATR file";
inline constexpr const char* kCliMapErrorText = "Error opening MAP file";

// Why a hit-count filter was not applied, from its kFilter* result.
const char* filter_result_text(int code);

} // namespace morv
