// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzzers' seed corpus with the program's own writers:
// make_seeds ATR_DIR MAP_DIR PNG_DIR [HITS_DIR]
#include "cli/checkpoint.h"
#include "cli/hits_file.h"
#include "core/state.h"
#include "core/surface.h"
#include "files/atr.h"
#include "files/image.h"
#include "files/png.h"
#include "files/recipe.h"
#include "formulas/orbits.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace morv;

namespace {

bool write_record(const std::string& dir, const std::string& name, const Params& s) {
    return write_parameter_file(s, dir + "/" + name) == kAtrWriteOk;
}

void write_map(const std::string& dir, const std::string& name, const std::string& text) {
    std::ofstream(dir + "/" + name, std::ios::binary) << text;
}

std::string ramp(int n, const char* tail) {
    std::string t;
    for (int i = 0; i < n; ++i)
        t += std::to_string(i) + " " + std::to_string(255 - i) + " " + std::to_string(i * 3) + tail;
    return t;
}

// What a seed part carries after its counts.
enum class Extra { None, Checkpoint, WholeDensity, ExactDensity };

// A toned part's density: the orbits' whole-number sums, or (a density saved
// beside a picture) the doubles they give.
PartDensity seed_density(const State& s, DensitySums sums, bool exact) {
    PartDensity d =
        exact ? exact_density(density_cells(sums.cells, sums.frac_bits)) : PartDensity{};
    if (!exact) {
        d.frac_bits = sums.frac_bits;
        d.cells = std::move(sums.cells);
    }
    d.index_span = 2000;
    d.picture = s.picture;
    return d;
}

// A small part of a two-orbit render, as the merge fuzzer takes it: one byte
// of mode (0: as it is, 2: merged with itself) before the part's bytes.
bool write_hits_seed(const std::string& dir, const std::string& name, int method, std::uint8_t mode,
                     Extra extra = Extra::None, BodyForm form = BodyForm::Deflated) {
    State s;
    s.type = 6;
    s.method[s.type] = method;
    if (!set_resolution(s, 16)) return false;
    OrbitTotals totals;
    totals.counts.assign(16 * 16, 0);
    const bool toned = extra == Extra::WholeDensity || extra == Extra::ExactDensity;
    if (toned) {
        s.picture.tone = 1;
        s.density.want(true, DensitySettings{ColorBy::Direction, 2000});
        totals.density.frac_bits = color_fraction_bits(2000);
        totals.density.cells.assign(16 * 16, SumCell{});
    }
    const OrbitJob job{.orbits = 2, .end = 2, .threads = 1, .iterations = 2000, .clock = 3};
    render_orbits(s, job, totals, nullptr);
    const std::string part = dir + "/" + name + ".part";
    DensitySums sums = std::move(totals.density);
    HitsPart made = make_part(s, job, job.clock, std::move(totals));
    // A checkpoint: the part with the run it belongs to after its counts.
    if (extra == Extra::Checkpoint)
        made.sections = {
            encode_checkpoint(CheckpointRun{{"--orbits", "2", "-q"}, {true, false}, {}})};
    if (toned) made.density = seed_density(s, std::move(sums), extra == Extra::ExactDensity);
    if (write_part(made, part, form)) return false;
    std::ifstream in(part, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.put(static_cast<char>(mode));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::remove(part.c_str());
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: make_seeds ATR_DIR MAP_DIR PNG_DIR [HITS_DIR]\n");
        return 2;
    }
    const std::string atr = argv[1], map = argv[2], png = argv[3];
    State start;
    State ifs;
    ifs.type = 9;
    ifs.fp = {10, 20, 30, 25, 10, 5};
    State vl;
    vl.type = 14;
    vl.vlmaxiter = 1024;
    vl.pgmindex = 0;
    State sierpinski;
    sierpinski.type = 8;
    sierpinski.smode = 5;
    sierpinski.back = rgb(1, 2, 3);
    bool ok = write_record(atr, "start.atr", start) && write_record(atr, "ifs.atr", ifs) &&
              write_record(atr, "vl.atr", vl) && write_record(atr, "sierpinski.atr", sierpinski);

    write_map(map, "ramp.map", ramp(256, "\n"));
    write_map(map, "comments.map", ramp(20, "   a comment\r\n"));
    write_map(map, "odd.map", "300 -1 +7\n1-2-3x\n\t4\t5\t6\n\n\n");
    write_map(map, "short.map", "0 0 0");
    write_map(map, "bad.map", "1 2 3\n\n4 5 6\n");

    // Small images keep the fuzzer fast; the reader does not care about size.
    Surface canvas(16, 16, rgb(200, 100, 50));
    canvas.line(Point{0, 0}, Point{15, 9}, 1, rgb(1, 2, 3));
    const AtrBytes record = encode_atr(atr_from_state(ifs));
    RecipeRun run{16, "equalize", 20000, 7, 1};
    ifs.method[9] = kMethodHitCount;
    ifs.picture.tone = 1;
    const auto recipe = encode_recipe(ifs, run, record, {});
    ok = ok && writepng(canvas, 16, png + "/record.png", record, "IFS (type 9)") == 0 &&
         writepng(canvas, 16, png + "/plain.png", {}, "") == 0 &&
         writepng(canvas, 16, png + "/recipe.png", record, "IFS (type 9)", nullptr, {}, recipe,
                  recipe_summary(ifs, run)) == 0;
    if (argc == 5)
        ok =
            ok && write_hits_seed(argv[4], "hitcount", kMethodHitCount, 0) &&
            write_hits_seed(argv[4], "points", kMethodSpeedPoints, 2) &&
            write_hits_seed(argv[4], "checkpoint", kMethodHitCount, 0, Extra::Checkpoint) &&
            write_hits_seed(argv[4], "density", kMethodHitCount, 2, Extra::WholeDensity) &&
            write_hits_seed(argv[4], "saved-density", kMethodSpeedPoints, 0, Extra::ExactDensity) &&
            write_hits_seed(argv[4], "plain", kMethodHitCount, 2, Extra::None, BodyForm::Plain) &&
            write_hits_seed(argv[4], "plain-checkpoint", kMethodHitCount, 0, Extra::Checkpoint,
                            BodyForm::Plain) &&
            write_hits_seed(argv[4], "plain-density", kMethodHitCount, 2, Extra::WholeDensity,
                            BodyForm::Plain);
    return ok ? 0 : 1;
}
