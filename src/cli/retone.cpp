// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/retone.h"

#include "cli/hits_file.h"
#include "files/image.h"

#include <algorithm>
#include <new>

namespace morv {

namespace {

// The header of the density of the whole render `run` made over `s`: what
// binds a saved density to its picture.
HitsPart density_head(const State& s, const RecipeRun& run) {
    OrbitJob job;
    job.orbits = run.orbits;
    job.first = 0;
    job.end = run.orbits;
    job.iterations = std::max(1LL, run.calls);
    job.clock = run.seed.value_or(0);
    return part_header(s, job, job.clock, kMethodHitCount);
}

} // namespace

std::string density_path_for(const std::string& png) {
    const std::string stem = is_png_path(png) ? png.substr(0, png.size() - 4) : png;
    return stem + ".density";
}

std::optional<std::string> save_density(const State& s, const RecipeRun& run,
                                        const std::string& path) {
    try {
        HitsPart head = density_head(s, run);
        const std::vector<DensityCell>& cells = s.density.cells();
        std::vector<std::uint64_t> hits(cells.size());
        std::transform(cells.begin(), cells.end(), hits.begin(),
                       [](const DensityCell& c) { return c.n; });
        head.density = exact_density(cells);
        head.density->index_span = s.density.settings().index_span;
        head.density->picture = s.picture;
        return write_part(head, hits, path);
    } catch (const std::bad_alloc&) {
        return path + ": not enough memory to write the density";
    }
}

std::optional<std::string> adopt_saved_density(State& s, const CliOptions& o, const RecipeRun& run,
                                               bool& no_memory) {
    no_memory = false;
    const std::string& png = o.engine.retone;
    if (s.picture.tone == 0)
        return "--retone: " + png + " is not a toned picture; it has no density to tone again";
    const std::string path = density_path_for(png);
    HitsPart part;
    if (auto e = read_part_header(path, part))
        return "--retone: " + *e + "; it reads the density that --save-density " + path +
               " saved beside " + png;
    if (Density::bytes_for(static_cast<int>(part.res)) * 3 > memory_budget()) {
        no_memory = true;
        return "--retone: not enough memory for the density in " + path;
    }
    if (auto e = read_part(path, part)) return "--retone: " + *e;
    if (!part.density) return "--retone: " + path + " holds no density";
    const PictureSettings& drawn = part.density->picture;
    const bool changed = std::any_of(o.given.begin(), o.given.end(), [](const std::string& n) {
        return n == "--oversample" || n == "--color-by";
    });
    if (changed &&
        (drawn.oversample != s.picture.oversample || drawn.color_by != s.picture.color_by))
        return "--retone: the density was accumulated with its own --oversample and --color-by; "
               "toning it again cannot change them";
    if (part.params_hash != density_head(s, run).params_hash || part.first != 0 ||
        part.end != part.orbits)
        return "--retone: " + path + " does not belong to " + png +
               " (it was drawn from other parameters, palette or run)";
    try {
        DensitySettings d = s.density.settings();
        d.index_span = part.density->index_span;
        s.density.want(true, d);
        s.density.adopt(s.res, density_cells_of(*part.density));
    } catch (const std::bad_alloc&) {
        no_memory = true;
        return "--retone: not enough memory for the density in " + path;
    }
    return std::nullopt;
}

} // namespace morv
