// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/record.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace morv {

struct Params;

// Result codes of write_parameter_file, the same as those of writetga (files/tga.h).
inline constexpr int kAtrWriteOk = 0;
inline constexpr int kAtrWriteOpenFailed = 1;
inline constexpr int kAtrWriteFailed = 3;

// Result codes of load_parameter_file (files/parameter_file.h). Every failure leaves the state
// unchanged.
inline constexpr int kAtrLoadOk = 0;
inline constexpr int kAtrLoadOpenFailed = 1; // the file cannot be opened or read
inline constexpr int kAtrLoadBadSize = 2;    // not exactly 624 bytes
inline constexpr int kAtrLoadBadValue = 3;   // a value the program could never have saved

// Whether the program could have saved this record: every value finite and
// inside what the dialogs, the random search and the defaults can give it
// (files/record_check.h). On false `reason` (if given) names the first field
// that is not, with its value. Every reader of records goes through this.
bool atr_is_valid(const ATR& r, std::string* reason = nullptr);

// Checks the bytes of a whole file and applies them, all or nothing.
// Returns kAtrLoadOk, kAtrLoadBadSize or kAtrLoadBadValue.
int load_atr_bytes(Params& ps, std::span<const std::uint8_t> bytes, std::string* reason = nullptr);

// The parameter file beside an image: the path with the extension of its file
// name (whatever its length) replaced by ".atr", or ".atr" appended.
std::string atr_path_for_image(const std::string& image_path);
// The file name of a path: what follows its last '/'.
std::string file_title(const std::string& path);

// Writes the record of the current parameters to `path`. Returns 0, 1
// (cannot be created, or no name) or 3 (not written completely); an existing
// file is only replaced once the whole record is written. On failure `reason`
// (if given) says why in the system's words.
int write_parameter_file(const Params& ps, const std::string& path, std::string* reason = nullptr);

// The program's first argument as a path: surrounding double quotes are
// removed if present.
std::string atr_path_from_argument(std::string_view arg);

} // namespace morv
