// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "color/filters.h"

#include <array>

// Texts and captions of the program's message boxes, character for character
// as the user sees them. The engine reports failures by code (and the
// system's reason); these are what the commands show for them.
namespace morv::app {

inline constexpr const char* kProgramCaption = "Morvane";

// The driver could not have its hit-count buffer.
inline constexpr const char* kHitcountAllocText =
    "Not enough memory to allocate hit count buffer.\nFree up more system memory, or\n   set a "
    "smaller image resolution.";
inline constexpr const char* kHitcountAllocCaption = "Memory allocation problem";

inline constexpr const char* kHelpText =
    "Please refer to the included file, 'Morvane.pdf'.\n\nMany attractor types have parameters "
    "which can be\n   modified, or which the program can select pseudo-\n   randomly. Their "
    "formulae are marked with '+' and '$'\n   in the 'Attractor Type' dialog box. You also can "
    "see a\n   chart with these options in the 'Options' item of the\n   'Help' menu.";

// Shown below the help text: what the mouse and the keys beside the menus do.
inline constexpr const char* kMouseHelpText =
    "Mouse: drag a rectangle to zoom into it, turn the wheel to zoom\n   about the pointer, "
    "click to pause or resume, move a large\n   image with the middle button.\nKeys: Ctrl+Z "
    "undoes a change, Ctrl+Shift+Z redoes it, F fits a\n   large image into the window, "
    "Ctrl+R draws the picture as K orbits\n   on every core (or in vector lanes), Shift+F5 shows "
    "a\n   gallery of random "
    "sets, Ctrl+F5 steers the random search\n   (ranges of the measures, frozen coefficients, a "
    "spread),\n   A animates the "
    "history's sets of the current type.";

inline constexpr const char* kTooFewKeysText =
    "The history holds fewer than two different parameter sets\n   of this type: nothing to "
    "animate. Change the set (F4, F5,\n   a zoom) and try again.";

inline constexpr const char* kRandomAdvisoryCaption = "Random Parameters Advisory";
inline constexpr const char* kRandomAdvisoryText =
    "Many parameter sets will generate extreme\n   values which will overflow the computer's\n   "
    "capacity, potentially crashing the program.\n\nOr, instead of producing chaotic patterns, "
    "they\n   might converge to point clusters, lines or\n   closed curves which are not "
    "interesting.\n\nTherefore, it might take a little time to find\n   random parameter sets "
    "that appear likely to\n   be stable and to behave as intended.";

inline constexpr const char* kParametersSavedPrefix = "Parameters saved as ";
inline constexpr const char* kParametersSavedSuffix =
    "\n\nLoad via ' File ' menu or by double-clicking.";
inline constexpr const char* kImageSavedPrefix = "Image saved as ";
inline constexpr const char* kSaveBeforeQuitText = "Save the picture before quitting?";
inline constexpr const char* kImageFormatRefusal =
    "images are saved as .tga or .png files: choose one of these endings, or none";

inline constexpr const char* kDebugCaption = "Debug Mode";
inline constexpr const char* kDebugPrefix = "Parameter display mode ";
inline constexpr const char* kDebugEnabled = "enabled.";
inline constexpr const char* kDebugDisabled = "disabled.";

// Saving an image or a parameter file failed: the text by result code - 1.
inline constexpr std::array<const char*, 3> saveerror{
    "Error opening a save file.",
    "Not enough memory to buffer image lines.",
    "Error writing to save file.",
};
inline constexpr const char* kSaveErrorCaption = "Save file error";

// Any failure to load a parameter file (or the record of an image).
inline constexpr const char* kAtrLoadErrorText = "Error opening ATR file";
inline constexpr const char* kAtrLoadErrorCaption = "ATR file error";

// A PNG image whose record did not load.
inline constexpr const char* kPngLoadErrorText = "Error opening PNG image";
inline constexpr const char* kPngLoadErrorCaption = "PNG file error";

inline constexpr const char* kMapErrorText = "Error opening MAP file";
inline constexpr const char* kMapErrorCaption = "MAP file error";
inline constexpr const char* kMapAcceptText = "Accept palette?";
inline constexpr const char* kMapAcceptCaption = "Preview";

// The random search found no set (exclamation icon, OK).
inline constexpr const char* kRandomNotFoundText =
    "Attractor not found after 100 tries.\n\nPlease try again; this will reset the\n   "
    "pseudo-random number generator.";
inline constexpr const char* kRandomNotFoundCaption = " :-( ";
// The confirmation asked in debug mode (information icon, Yes/No).
inline constexpr const char* kRandomConfirmCaption = "Accept Parameters?";

// Shown once per run before the first use of each filter.
inline constexpr const char* kNormalizeAdvisoryCaption = "Normalization Advisory";
inline constexpr const char* kEqualizeAdvisoryCaption = "Equalization Advisory";
inline constexpr const char* kLogAdvisoryCaption = "Hit Count Adjustment Advisory";

inline constexpr const char* kNormalizeAdvisoryText =
    "The normalization filter will be applied."
    "\n\nThe best results often will be obtained if\n   the image is 'overdeveloped'.\n\n"
    "The image will disappear if you resume\n   rendering after the filter is applied.\n"
    "   Therefore, if you want to save the\n   filtered image, do so immediately.";
inline constexpr const char* kEqualizeAdvisoryText =
    "The equalization filter will be applied."
    "\n\nThe best results often will be obtained if\n   the image is 'overdeveloped'.\n\n"
    "The image will disappear if you resume\n   rendering after the filter is applied.\n"
    "   Therefore, if you want to save the\n   filtered image, do so immediately.";
inline constexpr const char* kLogAdvisoryText =
    "The hit count will be adjusted with a\n   logarithmic transformation filter.\n\n"
    "Using the squares of the logarithms will\n   shift the palette indices toward the\n"
    "   lower end of the palette."
    "\n\nThe best results often will be obtained if\n   the image is 'overdeveloped'.\n\n"
    "The image will disappear if you resume\n   rendering after the filter is applied.\n"
    "   Therefore, if you want to save the\n   filtered image, do so immediately.";

// The equalization filter could not have its tables.
inline constexpr const char* kEqualizeMemoryText = kFilterNoMemoryText;
inline constexpr const char* kEqualizeMemoryCaption = "Memory allocation problem";

// Start-up failures: a box without owner, caption "Error", then exit code 0.
inline constexpr const char* kStartupErrorCaption = "Error";
inline constexpr const char* kGraphicsErrorText = "Couldn't initialize graphics.";

} // namespace morv::app
