// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/steered_search.h"
#include "cli/arg_text.h"
#include "cli/engine_options.h"
#include "cli/explore_options.h"
#include "core/settings.h"
#include "core/type_ids.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morv {

struct CliOptions {
    std::string atr_in;
    std::string stdin_copy; // standard input spooled once when atr_in is -
    std::optional<int> type;
    int res = 600;
    long long iterations = 1000000;
    std::vector<std::pair<std::string, std::string>> sets;
    std::string palette = "1";
    bool keep_palette = false; // the parameter file's own palette stands (a PNG's recipe)
    std::string filter;
    std::optional<long long> seed;
    bool pacing = false;
    std::string output = "morvane.tga";
    std::string format; // of the image on standard output: png or tga
    std::string atr_out;
    bool quiet = false;
    bool save_partial = false;
    bool analyze = false;
    bool random = false;
    bool precise = false;
    bool json = false;
    bool help = false;
    bool version = false;
    bool list_types = false;
    EngineOptions engine;
    SearchSteering steering;
    std::vector<std::string> given; // the options on the command line, by their main names
    ExploreOptions explore;
};

// The help text writes these limits out; a change to the table must change it.
static_assert(NTYPES == 38, "kUsage names the types 0..37");
static_assert(setting_named("res").limits == Limits{200, 4000} &&
                  setting_named("renderres").limits == Limits{200, 16384} &&
                  setting_named("posterres").limits == Limits{200, 32768},
              "kUsage names the resolution limits");

inline constexpr const char* kUsage =
    "usage: morvane-render [OPTIONS] [FILE.atr | FILE.png | -]\n"
    "  --type N             attractor type 0..37 (after FILE.atr, overrides it)\n"
    "  --res N              image side 200..16384 (default 600; the desktop program\n"
    "                       keeps 200..4000), up to 32768 with --orbits\n"
    "  --iterations N       render-driver calls to make (default 1000000)\n"
    "  --set NAME=VALUE     set a state value; repeatable\n"
    "  --palette 1|2|FILE   built-in palette 1 (default) or 2, a .map file, or the name\n"
    "                       of a bundled palette (viridis, magma, fire, ...)\n"
    "  --filter NAME        normalize | equalize | log | logsquare, after rendering\n"
    "                       (needs the Hit Count method, method=3, and 1000 iterations)\n"
    "  --seed N             fixed clock value for every \"seed from the clock\"\n"
    "  --pacing             honour the types' waits (default: skip them)\n"
    "  -o, --output FILE    image to write: PNG with the parameters inside when FILE\n"
    "                       ends in .png, TGA otherwise (default morvane.tga);\n"
    "                       - writes it to standard output\n"
    "  --format png|tga     the format of the image on standard output (default png)\n"
    "  --atr-out FILE       also write the parameter record\n"
    "  --analyze            print the Lyapunov exponent and fractal dimension of the\n"
    "                       parameters, then exit without rendering\n"
    "  --precise            with --analyze: also the Lyapunov spectrum (Benettin's\n"
    "                       method, nats and bits per step, per unit time for flows),\n"
    "                       the Kaplan-Yorke and the correlation dimension, with errors\n"
    "  --json               with --analyze: all of it as one JSON object; with --random:\n"
    "                       the accepted set and its measures as one JSON object\n"
    "  --random             search random parameters (types marked $), print and render them\n"
    "  --lyapunov-range A:B with --random: accept only a largest Lyapunov exponent\n"
    "                       (Benettin's method, nats per step) within A..B\n"
    "  --ky-range A:B       with --random: accept only a Kaplan-Yorke dimension within A..B\n"
    "  --freeze LIST        with --random: keep these coefficients (a,b,c,d,sp0,sp1)\n"
    "  --spread P           with --random: draw each coefficient within P % of half its\n"
    "                       range about its current value\n"
    "  -q, --quiet          no progress output\n"
    "  --orbits K           draw K independent orbits, --iterations shared among them\n"
    "                       (point, plane and random-branch maps with method 1 or 3)\n"
    "  --threads N          threads for the orbits (default: the number of cores)\n"
    "  --fast               draw the orbits in vector lanes, 4 or 8 at a time per thread:\n"
    "                       several times faster, statistically the same picture but\n"
    "                       other bytes (every type of --orbits; not with parts)\n"
    "  --orbit-range A:B    draw only orbits A..B-1 of K (needs --save-hits)\n"
    "  --save-hits FILE     write the raw hit counts of the orbits drawn, no image;\n"
    "                       only a complete part is written\n"
    "  --merge FILE...      combine --save-hits parts into the image (-o); takes\n"
    "                       --palette and --filter, refuses what would change the picture;\n"
    "                       parts of a toned render are toned again (tone options)\n"
    "  --checkpoint FILE    with --orbits: keep the finished orbits and the run's\n"
    "                       options in FILE now and then and when stopped by a signal\n"
    "  --checkpoint-every N seconds between checkpoints, 1..86400 (default 60)\n"
    "  --resume FILE        go on with the render a checkpoint holds (only -o,\n"
    "                       --format, --threads and -q may be given besides)\n"
    "  --tone log|none      tone a density of the orbits (log-density) instead of\n"
    "                       colouring by the method; the options below tune it and,\n"
    "                       like --set, apply after FILE; parts keep the density\n"
    "  --exposure E         brightness 0.01..100 (default 1)\n"
    "  --gamma G            0.1..10 (default 2.2)\n"
    "  --gamma-threshold T  0..1, below it the gamma curve is a line (default 0.01)\n"
    "  --vibrancy V         0..1: 1 gamma on brightness only, 0 on each channel\n"
    "  --contrast C         0.001..1000000, where the log curve bends (default 1)\n"
    "  --color-by WHAT      speed | z | direction | index (default speed)\n"
    "  --oversample S       S x S samples per pixel, 1..4 (default 1)\n"
    "  --filter-width W     Gaussian filter width in pixels, 1..8 (default 3)\n"
    "  --depth 8|16         bits per channel of a toned PNG (default 8)\n"
    "  --alpha              a transparent background (toned PNG)\n"
    "  --save-density FILE  also write the density of a toned picture, to tone it\n"
    "                       again later (name it as the PNG with .density for .png)\n"
    "  --retone FILE.png    tone FILE.png again from the density saved beside it\n"
    "                       (FILE.density) without drawing; takes the tone options\n"
    "                       (not --oversample, --color-by), -o, --format and -q\n"
    "  -h, --help           print this help and exit\n"
    "  --version            print the version and exit\n"
    "  --list-types         print the type numbers and names and exit\n"
    "  --save-partial       when interrupted, still write the image drawn so far\n"
    "  --animate KEY...     render an animation through two or more keys (.atr files\n"
    "                       or Morvane PNGs of one type) to -o frames/f%04d.png (frames\n"
    "                       numbered from 0; complete ones are kept, so a run resumes)\n"
    "                       or to a video -o film.mp4 (.mkv .webm .mov .avi .gif) by ffmpeg\n"
    "  --frames N           frames of the animation, the first and last being the keys\n"
    "  --frame-range A:B    render only frames A..B-1 (split across machines)\n"
    "  --interpolate WAY    linear (default) or spline between the keys\n"
    "  --fps N              frames per second of a video (default 25)\n"
    "  --gallery N          with --random: N (4, 9, 16, 25) candidates on a contact sheet\n"
    "                       (-o), each also written as SHEET-1.atr ... beside it\n"
    "FILE.atr is a 624-byte parameter record, or a PNG image that carries one,\n"
    "loaded before --type and --set; - reads it from standard input. A Morvane PNG\n"
    "also brings how it was drawn: palette, method, tone, --res, --iterations,\n"
    "--seed, --orbits, --filter and --fast, unless given here.\n"
    "Exit status: 0 done, 1 a file could not be written, 2 bad option or unreadable\n"
    "input file, 3 --random accepted no parameter set, 4 not enough memory,\n"
    "128+N ended by signal N (130 Ctrl-C, 143 SIGTERM, 129 SIGHUP, ...): nothing\n"
    "written, or with --save-partial the image so far.\n";

// What a usage error adds to its one line.
inline constexpr const char* kTryHelp = "Try 'morvane-render --help' for more information.";

// Reads the command line; on a usage error returns the message for stderr.
std::optional<std::string> parse_options(int argc, const char* const* argv, CliOptions& out);

} // namespace morv
