#pragma once

// Texts and captions of the main window's own message boxes, character for
// character as the user sees them (those of the filters, palettes, parameter
// files and random search come with those functions).
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
inline constexpr const char* kImageFormatRefusal =
    "images are saved as .tga or .png files: choose one of these endings, or none";

inline constexpr const char* kDebugCaption = "Debug Mode";
inline constexpr const char* kDebugPrefix = "Parameter display mode ";
inline constexpr const char* kDebugEnabled = "enabled.";
inline constexpr const char* kDebugDisabled = "disabled.";

// Start-up failures: a box without owner, caption "Error", then exit code 0.
inline constexpr const char* kStartupErrorCaption = "Error";
inline constexpr const char* kGraphicsErrorText = "Couldn't initialize graphics.";

} // namespace morv::app
