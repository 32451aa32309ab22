// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv {

// How a picture is made beside the defined colouring methods: whether a
// density is accumulated and toned, and how (docs/tone-mapping.md). Part of
// the parameter set, so that a saved picture carries it and the history
// restores it; the defaults leave every defined picture as it is.
struct PictureSettings {
    int tone = 0; // 1: the picture is the log-density toning of a density
    double exposure = 1.0;
    double gamma = 2.2;
    double gamma_threshold = 0.01;
    double vibrancy = 1.0;
    double contrast = 1.0;
    int oversample = 1;        // S x S samples per pixel
    double filter_width = 3.0; // output pixels across
    int color_by = 0;          // a ColorBy
    int depth = 8;             // bits per channel of a PNG
    int alpha = 0;             // 1: a transparent background
    bool operator==(const PictureSettings&) const = default;
};

} // namespace morv
