// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/recipe_run.h"

#include "cli/hits_file.h"
#include "cli/std_streams.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/image.h"
#include "files/png.h"

#include <algorithm>

namespace morv {

namespace {

bool given(const CliOptions& o, const char* name) {
    return std::find(o.given.begin(), o.given.end(), name) != o.given.end();
}

} // namespace

void take_recipe_defaults(CliOptions& o) {
    const std::string path = atr_path_from_argument(o.atr_in);
    if (path.empty() || path == kStdStream) return;
    PngContents png;
    std::string why;
    if (!readpng(path, png, false, why) || !png.recipe) return;
    Params scratch;
    std::optional<RecipeRun> run;
    if (load_png_contents(scratch, png, &why, &run) != kAtrLoadOk || !run) return;
    if (!given(o, "--res")) o.res = run->res;
    if (!given(o, "--iterations") && run->calls >= 0) o.iterations = run->calls;
    if (!given(o, "--filter")) o.filter = run->filter;
    if (!given(o, "--seed") && run->seed) o.seed = *run->seed;
    if (!given(o, "--orbits")) o.engine.orbits = run->orbits;
    if (!given(o, "--fast")) o.engine.fast = run->fast;
    o.keep_palette = !given(o, "--palette");
}

RecipeRun recipe_run_of(const State& s, const CliOptions& o, long long calls,
                        const ClockLog& clock) {
    RecipeRun run;
    run.res = s.res;
    run.calls = calls;
    run.filter = o.filter;
    run.seed = o.seed ? std::optional<std::int64_t>(*o.seed) : clock.seed();
    run.orbits = o.engine.orbits;
    run.fast = o.engine.fast;
    // Merged parts were drawn elsewhere: their header says how.
    if (HitsPart first; o.engine.merging && !read_part_header(o.engine.merge.front(), first)) {
        run.orbits = static_cast<long long>(first.orbits);
        run.calls = static_cast<long long>(first.iterations);
        run.seed = first.clock;
    }
    return run;
}

} // namespace morv
