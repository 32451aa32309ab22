// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options.h"
#include "core/palette.h"
#include "core/picture.h"
#include "core/types.h"

#include <array>

namespace morv {

// The parameter set: everything a parameter record holds and the working
// copies of the catalogue values. Steps only read it, so several render
// contexts can run over one parameter set at once.
struct Params {
    Params(); // the start-up defaults

    // Working copies of the catalogue, per type.
    int type = 0;
    std::array<TypeParams, NTYPES> p{};
    std::array<ViewWindow, NTYPES> mm{};
    std::array<Point3, NTYPES> rot{};
    std::array<int, NTYPES> method{};
    int rotationorder = 0;
    int res = 600;
    double dres = 600.0;
    int speed = 3;
    int linewidth = 1;
    Rgb back = rgb(255, 245, 230);
    Rgb fore = rgb(0, 128, 48);
    Palette palette{};

    // Type options.
    int smode = 0, scmode = 0, ifscmode = 0;
    std::array<std::array<double, 6>, 6> f = fdef;
    std::array<int, 6> fp = fpdef;
    int vlmaxiter = 64;
    double vlmaxsize = 256.0;
    int vlcoloring = 0;
    double vlradius = 0.1;
    int showorbits = 0;
    int basinflag = 0;
    int pgmindex = 7;
    double pgmscale = kDefaultPgmScale;
    std::array<double, 8> pgmx0 = dpgmx0, pgmy0 = dpgmy0;
    int oddflag = 0, unityflag = 0, unitybasin = 0, rosslerflag = 0;

    // How a toned picture is made, beside the colouring methods.
    PictureSettings picture;

    bool operator==(const Params&) const = default;
};

} // namespace morv
