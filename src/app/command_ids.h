// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv::app {

// Menu commands of the main window. Ids outside 100..199, and ids in that
// range not listed here, are ignored.
enum Command : int {
    kCmdHelp = 100,
    kCmdAbout = 105,
    kCmdType = 110,
    kCmdParameters = 115,
    kCmdRandom = 120,
    kCmdMeasure = 122, // the window of precise measures
    kCmdTone = 123,    // the window of the toned picture's settings
    kCmdColoring = 125,
    kCmdBackground = 130,
    kCmdPalette = 135,
    kCmdPalette1 = 140,
    kCmdPalette2 = 145,
    kCmdClear = 150,
    kCmdLoad = 155,
    kCmdSaveParameters = 160,
    kCmdRender = 165,
    kCmdNormalize = 170,
    kCmdEqualize = 175,
    kCmdLog = 180,
    kCmdLogSquared = 185,
    kCmdSaveImage = 190,
    kCmdExit = 192,
    kCmdOptions = 194,
    kCmdPgmFormula = 196,
    kCmdPgmParameters = 198,
    kCmdDebug = 199,
};

// Commands of the exploring additions, beside the window's own range: the
// main window carries them out itself.
enum ExploreCommand : int {
    kCmdUndo = 2001,
    kCmdRedo = 2002,
    kCmdFit = 2003,
    kCmdPanLeft = 2004,
    kCmdPanRight = 2005,
    kCmdPanUp = 2006,
    kCmdPanDown = 2007,
    kCmdGallery = 2008,
    kCmdCores = 2009,         // the render on every core
    kCmdSearchOptions = 2010, // the form that steers F5 and the gallery
    kCmdAnimateHistory = 2011,
};

inline constexpr int kFirstCommand = 100;
inline constexpr int kLastCommand = 199;

// Modal dialogs by resource number. A dialog returns kButton1 (OK, or the
// left of two option buttons) or kButton2 (Cancel, the right button, Esc).
enum DialogId : int {
    kDlgType = 200,
    kDlgParameters = 300,
    kDlgBackground = 400,
    kDlgColoring = 500,
    kDlgOptionsChart = 600,
    kDlgSierpinski = 650,
    kDlgPgmFormula = 700,
    kDlgPgmParameters = 800,
    kDlgBifurcation = 900,
    kDlgBasin = 950,
    kDlgUnity = 1000,
    kDlgRossler = 1100,
    kDlgFern = 1200,
    kDlgVolterraLotka = 1300,
    kDlgCores = 1400, // the render on every core
    // The about window is a pop-up rather than a dialog template; it is
    // reached the same way, by the command that opens it.
    kDlgAbout = kCmdAbout,
};

inline constexpr int kButton1 = 1;
inline constexpr int kButton2 = 2;

} // namespace morv::app
