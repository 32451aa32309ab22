#pragma once

#include "core/types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace morv {

struct Params;

// The parameter record as it lies in a .atr file: 624 bytes, little-endian,
// no padding (the doubles sit at multiples of 4). It is always serialized
// field by field, never by copying a struct.
struct ATR {
    std::int32_t type = 0;
    double a = 0, b = 0, c = 0, d = 0, sp0 = 0, sp1 = 0;
    double xstart = 0, ystart = 0, zstart = 0;
    std::uint32_t back = 0;
    std::int32_t redback = 0, greenback = 0, blueback = 0;
    std::uint32_t fore = 0;
    std::int32_t redfore = 0, greenfore = 0, bluefore = 0;
    double xrot = 0, yrot = 0, zrot = 0;
    std::array<std::array<double, 6>, 6> f{}; // IFS map i: a, b, c, d, e, f
    std::array<double, 6> fp{};               // IFS probabilities in percent
    std::int32_t vlmaxiter = 0;
    double vlmaxsize = 0, vlradius = 0;
    std::int32_t pgmindex = 0;
    std::array<double, 8> pgmx0{}, pgmy0{};
    std::int32_t smode = 0;
};

inline constexpr std::size_t kAtrSize = 624;
using AtrBytes = std::array<std::uint8_t, kAtrSize>;

// Result codes of writeatr, the same as those of writetga (files/tga.h).
inline constexpr int kAtrWriteOk = 0;
inline constexpr int kAtrWriteOpenFailed = 1;
inline constexpr int kAtrWriteFailed = 3;

// Result codes of loadatr. Every failure leaves the state unchanged.
inline constexpr int kAtrLoadOk = 0;
inline constexpr int kAtrLoadOpenFailed = 1; // the file cannot be opened or read
inline constexpr int kAtrLoadBadSize = 2;    // not exactly 624 bytes
inline constexpr int kAtrLoadBadValue = 3;   // a value the program could never have saved

// The record of the current state (type, its parameters and rotation, the
// colours, the IFS, Volterra-Lotka, Gingerbread Men and Sierpinski settings).
ATR atr_from_state(const Params& s);
AtrBytes encode_atr(const ATR& r);
ATR decode_atr(const AtrBytes& bytes);

// Whether the program could have saved this record: every value finite and
// inside what the dialogs, the random search and the defaults can give it
// (files/record_check.h). On false `reason` (if given) names the first field
// that is not, with its value. Every reader of records goes through this.
bool atr_is_valid(const ATR& r, std::string* reason = nullptr);

// Puts a valid record into the state; everything not in the record (view
// window, resolution, speed, colouring method, palette, ...) stays.
void apply_atr(Params& s, const ATR& r);

// Checks the bytes of a whole file and applies them, all or nothing.
// Returns kAtrLoadOk, kAtrLoadBadSize or kAtrLoadBadValue.
int load_atr_bytes(Params& s, std::span<const std::uint8_t> bytes, std::string* reason = nullptr);

// The parameter file beside an image: the path with the extension of its file
// name (whatever its length) replaced by ".atr", or ".atr" appended.
std::string atr_path_for_image(const std::string& image_path);
// The file name of a path: what follows its last '/'.
std::string file_title(const std::string& path);

// Writes the record of the current parameters to `path`. Returns 0, 1
// (cannot be created, or no name) or 3 (not written completely); an existing
// file is only replaced once the whole record is written. On failure `reason`
// (if given) says why in the system's words.
int writeatr(const Params& s, const std::string& path, std::string* reason = nullptr);

// Loads the parameter file (or PNG image) at `path`. Returns a kAtrLoad*
// code; on failure the parameters are unchanged and `reason` (if given) says
// why in English.
int loadatr(Params& s, const std::string& path, std::string* reason = nullptr);

// The program's first argument as a path: surrounding double quotes are
// removed if present.
std::string atr_path_from_argument(std::string_view arg);
// Start-up: loads the file named by the first argument, silently. An empty
// argument (or one that is only a pair of quotes) loads nothing and returns
// kAtrLoadOk; otherwise loadatr's result.
int load_startup_atr(Params& s, std::string_view arg);

} // namespace morv
