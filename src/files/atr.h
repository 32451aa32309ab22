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

// Result codes of writeatr; 1 and 3 index `saveerror` (files/tga.h) by code - 1.
inline constexpr int kAtrWriteOk = 0;
inline constexpr int kAtrWriteOpenFailed = 1;
inline constexpr int kAtrWriteFailed = 3;

// Result codes of loadatr. Every failure is shown the same way
// (kAtrLoadErrorText / kAtrLoadErrorCaption) and leaves the state unchanged.
inline constexpr int kAtrLoadOk = 0;
inline constexpr int kAtrLoadOpenFailed = 1; // the file cannot be opened or read
inline constexpr int kAtrLoadBadSize = 2;    // not exactly 624 bytes
inline constexpr int kAtrLoadBadValue = 3;   // a value the program could never have saved

inline constexpr const char* kAtrLoadErrorText = "Error opening ATR file";
inline constexpr const char* kAtrLoadErrorCaption = "ATR file error";

// What the file dialogs of images and parameter files look like.
struct FileDialogSpec {
    const char* filter_name;
    const char* pattern;
    const char* title;
    const char* default_extension;
    bool must_exist;        // open dialogs: the file must exist
    bool confirm_overwrite; // save dialogs: ask before replacing a file
    // A second file type offered after the first (nullptr: none) and the
    // extension appended while it is selected.
    const char* second_filter_name;
    const char* second_extension;
};
// PNG images carry their parameters, so they are offered wherever a
// parameter file is opened and beside TGA when an image is saved.
inline constexpr const char* kPngFilterName = "PNG images with parameters (*.png)";
inline constexpr FileDialogSpec kOpenMapDialog{"Fractint .map files (*.map)",
                                               "*.map",
                                               "Select a Fractint .MAP File",
                                               "map",
                                               true,
                                               false,
                                               nullptr,
                                               nullptr};
inline constexpr FileDialogSpec kSaveTgaDialog{
    "Targa files (*.tga)", "*.tga", "Select a file for saving your image:", "tga", false, true,
    kPngFilterName,        "png"};
inline constexpr FileDialogSpec kOpenAtrDialog{
    "ATR files (*.atr)", "*.atr", "Select an ATR parameter file:", "atr", true, false,
    kPngFilterName,      "png"};
inline constexpr FileDialogSpec kSaveAtrDialog{"ATR files (*.atr)",
                                               "*.atr",
                                               "Select a file for saving parameters:",
                                               "atr",
                                               false,
                                               true,
                                               nullptr,
                                               nullptr};

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
