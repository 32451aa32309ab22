// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the file dialogs of palettes, images and parameter files look like.
namespace morv::app {

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

} // namespace morv::app
